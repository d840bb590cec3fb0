// Fuzz target over the whole compile core: reading both sources, route
// finishing, header guards, competition codes, the three compiled files and
// the diagnosis of a stored error, all in memory.
//
// Input layout:
//   byte 0        flags: bit 0 = crea_linea, bit 1 = no line source,
//                 bit 2 = no train source
//   bytes 1 ..    the line source, up to the first 0x00 byte; the train
//                 source is everything after that byte (empty when there is
//                 no 0x00 byte)
//
// Besides running clean under the sanitizers, every input must leave a
// result that obeys the invariants checked below; a violation traps, so the
// fuzzer keeps the input as a crash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/codifica.h"
#include "compiler/verifica.h"
#include "model/modello.h"
#include "output/file_compilati.h"
#include "pipeline/diagnosi.h"
#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_percorso.h"
#include "pipeline/rilievi.h"

namespace {

using namespace compattatore;

void verifica(bool condizione) {
  if (!condizione) __builtin_trap();
}

uint16_t u16_a(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8));
}

// The table file is 34 bytes per entry plus the bytes of every name, and
// each entry's count field holds its own name's length.
void verifica_tabella(const modello& m, std::string_view b) {
  size_t atteso = voci_tabella * byte_voce_senza_nome;
  for (const voce& v : m.tabella) {
    verifica(v.nome.size() <= 0xFFFF);
    atteso += v.nome.size();
  }
  verifica(b.size() == atteso);
  size_t at = 0;
  for (const voce& v : m.tabella) {
    verifica(u16_a(b, at + 14) == v.nome.size());
    verifica(b.compare(at + 16, v.nome.size(), v.nome) == 0);
    at += byte_voce_senza_nome + v.nome.size();
  }
  // Entry 85 carries the route key and the header value 610.
  size_t at85 = 0;
  for (int i = 0; i < 85; ++i) at85 += byte_voce_senza_nome + m.tabella[static_cast<size_t>(i)].nome.size();
  verifica(u16_a(b, at85 + 16 + m.tabella[85].nome.size()) == 610);
}

// The route file is 15 bytes per cell 0 .. ultima_cella, and cell 1, where
// the route has one, carries the header value 5121.
void verifica_percorso(const modello& m, std::string_view b) {
  if (!m.percorso_dimensionato()) {
    verifica(b.empty());
    return;
  }
  verifica(m.percorso.size() == static_cast<size_t>(m.ultima_cella) + 1);
  verifica(b.size() == byte_cella * (static_cast<size_t>(m.ultima_cella) + 1));
  if (m.percorso.size() > 1) verifica(u16_a(b, byte_cella + 1) == 5121);
}

// The line file is 2 × (lunghezza_estesa + 1) tagged values: the x half,
// then the y half, each metre taking 2, 4 or 10 bytes by its type. Walking
// the bytes must meet exactly that many values, each tag being the type the
// plan holds for its metre, and end exactly at the end of the file. The
// types run in one order: the two whole-number points, the computed points,
// the points never reached.
void verifica_linea(const modello& m, std::string_view b) {
  verifica(b.size() == dimensione_linea(m.plan));
  if (!m.plan.dimensionata) {
    verifica(b.empty());
    return;
  }
  verifica(m.plan.ultimo == m.lunghezza_estesa);
  size_t at = 0;
  size_t atteso = 0;
  for (int meta = 0; meta < 2; ++meta) {
    int ultimo_tipo_visto = -1;
    for (int32_t metro = 0; metro <= m.plan.ultimo; ++metro) {
      verifica(at + 2 <= b.size());
      uint16_t tag = u16_a(b, at);
      planimetria::tipo_punto t = m.plan.tipo(metro);
      verifica(tag == static_cast<uint16_t>(t));
      size_t larghezza = tag == 0 ? 2 : tag == 2 ? 4 : tag == 5 ? 10 : 0;
      verifica(larghezza != 0);
      if (tag == 2) verifica(metro < 2);
      // Ranks 0 (whole), 1 (computed), 2 (empty) never go back; a plan
      // without its origin is empty throughout.
      int rango = tag == 2 ? 0 : tag == 5 ? 1 : 2;
      verifica(rango >= ultimo_tipo_visto);
      ultimo_tipo_visto = rango;
      at += larghezza;
      atteso += larghezza;
    }
  }
  verifica(at == b.size());
  verifica(atteso == b.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  if (n == 0) return 0;
  const uint8_t bandiere = dati[0];
  std::string_view resto(reinterpret_cast<const char*>(dati + 1), n - 1);
  size_t zero = resto.find('\0');
  std::string_view linea = resto.substr(0, zero);
  std::string_view treno = zero == std::string_view::npos ? std::string_view{} : resto.substr(zero + 1);

  fonte_in_memoria fonte;
  if ((bandiere & 2) == 0) fonte.testo_linea = std::string(linea);
  if ((bandiere & 4) == 0) fonte.testo_treno = std::string(treno);

  modello m;
  m.nome_linea = "Borgo_Ferrante";
  m.nome_treno = "R42";
  destinazione_in_memoria destinazione;
  const int32_t j = bandiere & 1;
  raccolta_diagnostiche diagnostiche;
  const int32_t esito = numero(memorizza_percorso(m, j, fonte, destinazione, diagnostiche));

  verifica(codice_noto(m.codice_errore));

  // The check pass reads the same texts on its own: it never fails, every
  // finding is one line, and every code the reader stores is among its
  // errors, for the same source. (The compile is not touched by it: the
  // test over the corpus compiles before and after it.)
  {
    std::optional<std::string_view> treno_presente;
    if ((bandiere & 4) == 0) treno_presente = treno;
    const std::vector<rilievo> rilievi = verifica_sorgenti(linea, treno_presente, j != 0);
    for (const rilievo& r : rilievi) {
      const std::string riga = formatta_rilievo(r, "L.txt", "T-.txt", lingua::inglese);
      verifica(!riga.empty() && riga.find('\n') == std::string::npos);
    }
    const int32_t c = m.codice_errore;
    const bool del_lettore = c != 0 && !(c >= 11 && c <= 13) && c != 101 && (bandiere & 2) == 0;
    if (del_lettore) {
      bool trovato = false;
      for (const rilievo& r : rilievi)
        trovato = trovato || (r.livello == livello_rilievo::errore && r.codice == c &&
                              (m.sorgente_errore == sorgente::nessuna || r.fonte == m.sorgente_errore));
      verifica(trovato);
    }
    // Decoding never fails on any bytes either.
    for (codifica k : {codifica::automatica, codifica::utf8, codifica::cp1252}) {
      const testo_convertito t = in_cp1252(linea, k, sorgente::linea);
      verifica(t.letto || !t.rilievi.empty());
    }
  }
  // Every stored code becomes one line of diagnosis, as compila prints it.
  if (m.codice_errore != 0) {
    std::string riga = formatta(diagnosi_di(m, "Borgo_Ferrante_linea.txt", "Borgo_Ferrante_R42-.txt"));
    verifica(!riga.empty() && riga.find('\n') == std::string::npos);
  }
  if (esito == 1250 || esito == 1251) {
    // A stopped run hands over no file at all.
    verifica(!destinazione.linea.scritto && !destinazione.tabella.scritto && !destinazione.percorso.scritto);
    return 0;
  }
  verifica(esito == 0);
  verifica(destinazione.tabella.scritto && destinazione.percorso.scritto);
  verifica(destinazione.linea.scritto == (j != 0));
  verifica(m.n_montagne >= 0 && m.n_montagne <= max_montagne);

  verifica_tabella(m, destinazione.tabella.byte);
  verifica_percorso(m, destinazione.percorso.byte);
  if (j != 0) verifica_linea(m, destinazione.linea.byte);
  return 0;
}
