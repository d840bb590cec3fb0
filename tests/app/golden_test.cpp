// One whole run of the one-shot program over the built-in scenario, pinned
// to the bytes: the program is copied alone into an empty folder and started
// from another working directory. Each output is pinned by its size and a
// 64-bit FNV-1a hash, and the values the simulator depends on are decoded
// from the compiled files and checked one by one, so that a changed hash
// points to the field that moved.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sources/testi.h"
#include "tests/supporto/processo_figlio.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

const std::string file_percorso = "Valmora_Tessa_R7736.dat";
const std::string file_tabella = "Valmora_Tessa_R7736.sim";
const std::string file_linea = "Valmora_Tessa_linea.dat";
const std::string note = "Valmora_Tessa_R7736_note.txt";
const std::string ordine = "Valmora_Tessa_R7736_rallentamenti.txt";
const std::string scheda = "Valmora_Tessa_R7736_scheda_treno.txt";
const std::vector<std::string> sorgenti = {"Valmora_Tessa_linea.txt", "Valmora_Tessa_R7736-.txt"};

struct file_fissato {
  std::string nome;
  size_t dimensione;
  uint64_t impronta;
};

// Taken from a run whose decoded fields (the tests below) had been checked.
const file_fissato fissati[] = {
    {file_percorso, 20715, 0xd1304fd1591c8495u},
    {file_tabella, 3745, 0x07e0dfa8b09c1b8eu},
    {file_linea, 1379964, 0x63016e66afefa541u},
    {note, 1350, 0xd923e406a52d77d1u},
    {ordine, 3306, 0x71705c38be0a95b0u},
    {scheda, 3566, 0xa33afdf975200169u},
};

uint64_t fnv1a(std::string_view byte) {
  uint64_t h = 14695981039346656037u;
  for (char c : byte) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211u;
  }
  return h;
}

// Little-endian reads at a byte offset.
uint32_t le(const std::string& b, size_t pos, int quanti) {
  uint32_t v = 0;
  for (int i = quanti - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(pos + static_cast<size_t>(i)));
  return v;
}
int16_t i16(const std::string& b, size_t pos) { return static_cast<int16_t>(le(b, pos, 2)); }
int32_t i32(const std::string& b, size_t pos) { return static_cast<int32_t>(le(b, pos, 4)); }

// A route cell: 15 bytes, tipo u8, dato1..dato4 i16, then six u8 from tempo
// to aderenza.
struct cella_letta {
  int tipo;
  int16_t dato[4];
  int tempo, marca;
};
cella_letta cella(const std::string& percorso, size_t k) {
  size_t pos = 15 * k;
  return {static_cast<unsigned char>(percorso.at(pos)),
          {i16(percorso, pos + 1), i16(percorso, pos + 3), i16(percorso, pos + 5), i16(percorso, pos + 7)},
          static_cast<unsigned char>(percorso.at(pos + 9)),
          static_cast<unsigned char>(percorso.at(pos + 10))};
}

// A table entry: tipo u8, inizio, fine, posizione i32, byte1 u8, the name's
// length u16 and its bytes, intero1..intero5 i16, byte2..byte5 u8, orario
// i32.
struct voce_letta {
  int tipo;
  int32_t inizio, fine, posizione;
  std::string nome;
  int16_t intero1;
  int32_t orario;
};
std::vector<voce_letta> voci(const std::string& tabella) {
  std::vector<voce_letta> tutte;
  size_t pos = 0;
  for (int i = 0; i < 87; ++i) {
    voce_letta e{};
    e.tipo = static_cast<unsigned char>(tabella.at(pos));
    e.inizio = i32(tabella, pos + 1);
    e.fine = i32(tabella, pos + 5);
    e.posizione = i32(tabella, pos + 9);
    size_t lunghezza = le(tabella, pos + 14, 2);
    e.nome = tabella.substr(pos + 16, lunghezza);
    pos += 16 + lunghezza;
    e.intero1 = i16(tabella, pos);
    e.orario = i32(tabella, pos + 14);
    pos += 18;
    tutte.push_back(e);
  }
  EXPECT_EQ(pos, tabella.size()) << "87 entries fill the table file exactly";
  return tutte;
}

// The two competition codes of the keys, from their definition: W is the
// train key "R7736" and the route key "Valmora_Tessa" in lower case, then the
// filler; c(i) is the code of its i-th character.
const std::string w = "r7736valmora_tessa" "aabbccddeeffgghhiillmmnnoo";
int32_t codice_og() {
  int32_t s = 0;
  for (size_t i = 0; i < 25; ++i) s += static_cast<unsigned char>(w[i]);
  return s;
}
int32_t codice_st() {
  int32_t s = 0;
  for (size_t i = 0; i < 25; ++i) s += static_cast<int32_t>(i + 1) * static_cast<unsigned char>(w[i]);
  return s;
}

class Golden : public ::testing::Test {
 protected:
  // One run shared by the tests that only read its outputs.
  static void SetUpTestSuite() {
    cartella_ = new guasti::cartella_temporanea();
    guasti::cartella_temporanea lavoro;
    guasti::avvio a;
    a.programma = guasti::copia_programma(PROGRAMMA_COMPATTATORE, cartella_->p, "compattatore");
    a.cartella_lavoro = lavoro.p;
    corsa_ = new guasti::esito(guasti::esegui(a));
    lavoro_vuoto_ = fs::is_empty(lavoro.p);
    uscite_ = new guasti::istantanea(guasti::fotografa(cartella_->p));
  }
  static void TearDownTestSuite() {
    delete uscite_;
    delete corsa_;
    delete cartella_;
  }

  static const std::string& uscita(const std::string& nome) { return uscite_->at(nome).contenuto; }

  static guasti::cartella_temporanea* cartella_;
  static guasti::esito* corsa_;
  static guasti::istantanea* uscite_;
  static bool lavoro_vuoto_;
};
guasti::cartella_temporanea* Golden::cartella_ = nullptr;
guasti::esito* Golden::corsa_ = nullptr;
guasti::istantanea* Golden::uscite_ = nullptr;
bool Golden::lavoro_vuoto_ = false;

// Checks every output against its pinned size and hash.
void controlla_fissati(const guasti::istantanea& cartella, const std::string& quando) {
  for (const file_fissato& f : fissati) {
    auto it = cartella.find(f.nome);
    ASSERT_NE(it, cartella.end()) << quando << ": " << f.nome << " missing";
    EXPECT_EQ(it->second.tipo, 'f') << quando << ": " << f.nome;
    EXPECT_EQ(it->second.contenuto.size(), f.dimensione) << quando << ": " << f.nome;
    EXPECT_EQ(fnv1a(it->second.contenuto), f.impronta) << quando << ": " << f.nome;
  }
}

TEST_F(Golden, ARunEndsCleanlyAndLeavesExactlyTheOutputs) {
  EXPECT_EQ(corsa_->stato, 0) << corsa_->errori;
  EXPECT_EQ(corsa_->segnale, 0);
  EXPECT_EQ(corsa_->uscita, "Attendere\n");
  EXPECT_EQ(corsa_->errori, "") << "no error code stored";
  EXPECT_TRUE(lavoro_vuoto_) << "nothing is written into the working directory";

  std::set<std::string> nomi;
  for (const auto& [nome, voce] : *uscite_) nomi.insert(nome);
  const std::set<std::string> attesi = {"compattatore", file_percorso, file_tabella, file_linea, note, ordine, scheda};
  EXPECT_EQ(nomi, attesi) << "the sources are deleted, nothing else is left";
}

TEST_F(Golden, OutputsMatchTheirPinnedBytes) {
  controlla_fissati(*uscite_, "first run");
  // The documents are the writers' texts, unchanged on their way to disk.
  EXPECT_TRUE(uscita(note) == dati_note());
  EXPECT_TRUE(uscita(ordine) == dati_rallentamenti());
  EXPECT_TRUE(uscita(scheda) == dati_scheda());
}

TEST_F(Golden, RouteCellsOfTheBuiltInScenario) {
  const std::string& percorso = uscita(file_percorso);
  ASSERT_EQ(percorso.size(), 20715u);  // cells 0 to 1380

  struct elemento {
    size_t k;
    int tipo;
    int16_t dato1, dato2, dato3, dato4;
    const char* cosa;
  } elementi[] = {
      {9, 10, 1, 0, 0, 0, "stop of station 1"},
      {15, 6, 1919, 2020, 2121, 0, "speed indicators at 700"},
      {28, 1, 40, 10, 0, 6, "signal at 1350"},
      {531, 5, 4, 0, 0, 0, "approach 4"},
      {532, 5, 3, 0, 0, 0, "approach 3"},
      {533, 5, 2, 0, 0, 0, "approach 2"},
      {534, 5, 1, 0, 0, 0, "approach 1"},
      {535, 4, 70, 0, 0, 0, "slow-down warning"},
      {559, 3, 70, 0, 0, 0, "slow-down start"},
      {566, 2, 70, 0, 0, 0, "slow-down end"},
  };
  for (const elemento& e : elementi) {
    cella_letta c = cella(percorso, e.k);
    EXPECT_EQ(c.tipo, e.tipo) << e.cosa << ", cell " << e.k;
    EXPECT_EQ(c.dato[0], e.dato1) << e.cosa << ", cell " << e.k;
    EXPECT_EQ(c.dato[1], e.dato2) << e.cosa << ", cell " << e.k;
    EXPECT_EQ(c.dato[2], e.dato3) << e.cosa << ", cell " << e.k;
    EXPECT_EQ(c.dato[3], e.dato4) << e.cosa << ", cell " << e.k;
  }
  EXPECT_EQ(cella(percorso, 28).tempo, 0);

  // Approach marks of the signal at 1350 and of station 1.
  const std::map<size_t, int> marche = {{26, 61}, {24, 62}, {22, 63}, {20, 64},
                                       {8, 81},  {7, 82},  {6, 83},  {5, 84}};
  for (const auto& [k, marca] : marche) EXPECT_EQ(cella(percorso, k).marca, marca) << "cell " << k;

  // The header cell: the value the simulator checks and the route code.
  EXPECT_EQ(cella(percorso, 1).dato[0], 5121);
  EXPECT_EQ(cella(percorso, 1).dato[1], codice_og());
}

TEST_F(Golden, TableEntriesOfTheBuiltInScenario) {
  std::vector<voce_letta> e = voci(uscita(file_tabella));
  ASSERT_EQ(e.size(), 87u);

  EXPECT_EQ(e[81].inizio, 0);
  EXPECT_EQ(e[81].fine, 150400);
  EXPECT_EQ(e[81].posizione, 1);

  EXPECT_EQ(e[85].intero1, 610);
  EXPECT_EQ(e[85].orario, codice_st());
  EXPECT_EQ(e[85].nome, "Valmora_Tessa");
  EXPECT_EQ(e[86].nome, "R7736");

  // Station 1 as the train source writes it.
  const std::string treno = dati_treno();
  const size_t riga20 = treno.find("stazione,       0, 12, 1000,");
  ASSERT_NE(riga20, std::string::npos);
  const size_t fine20 = treno.find("\r\n", riga20);
  const std::string nome = treno.substr(treno.rfind(", ", fine20) + 2, fine20 - treno.rfind(", ", fine20) - 2);
  EXPECT_EQ(e[1].tipo, 12);
  EXPECT_EQ(e[1].inizio, -500);
  EXPECT_EQ(e[1].fine, 500);
  EXPECT_EQ(e[1].orario, (15 * 60 + 29) * 60);
  EXPECT_EQ(e[1].nome, nome);
}

TEST(GoldenRerun, ASecondRunOverEarlierFilesGivesTheSameBytes) {
  guasti::cartella_temporanea cartella, lavoro;
  guasti::avvio a;
  a.programma = guasti::copia_programma(PROGRAMMA_COMPATTATORE, cartella.p, "compattatore");
  a.cartella_lavoro = lavoro.p;

  ASSERT_EQ(guasti::esegui(a).stato, 0);
  // Over the first run's own files.
  ASSERT_EQ(guasti::esegui(a).stato, 0);
  controlla_fissati(guasti::fotografa(cartella.p), "over its own files");

  // Over longer old files under every name the run writes, the two sources
  // included: each is replaced whole, and the sources are deleted again.
  for (const file_fissato& f : fissati) guasti::scrivi(cartella.p / f.nome, std::string(f.dimensione + 5000, 'x'));
  for (const std::string& s : sorgenti) guasti::scrivi(cartella.p / s, std::string(20000, 'y') + "\r\n");
  guasti::esito ripresa = guasti::esegui(a);
  EXPECT_EQ(ripresa.stato, 0) << ripresa.errori;
  guasti::istantanea dopo = guasti::fotografa(cartella.p);
  controlla_fissati(dopo, "over longer old files");
  for (const std::string& s : sorgenti) EXPECT_EQ(dopo.count(s), 0u) << s << " left behind";
  EXPECT_EQ(dopo.size(), 7u);
}

}  // namespace
}  // namespace compattatore
