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
#include <array>
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
#include "output/decodifica.h"
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

// The table file is 34 bytes per entry plus the bytes of every name, and
// each entry's count field holds its own name's length: the decoder reads
// it back entry by entry, names included.
void verifica_tabella(const modello& m, std::string_view b) {
  size_t atteso = voci_tabella * byte_voce_senza_nome;
  for (const voce& v : m.tabella) {
    verifica(v.nome.size() <= 0xFFFF);
    atteso += v.nome.size();
  }
  verifica(b.size() == atteso);
  decodificato<std::array<voce, voci_tabella>> d = decodifica_tabella(b);
  verifica(static_cast<bool>(d));
  for (size_t i = 0; i < m.tabella.size(); ++i) verifica(d.valore[i].nome == m.tabella[i].nome);
  // Entry 85 carries the route key and the header value 610.
  verifica(d.valore[85].intero1 == 610);
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
  decodificato<std::vector<cella>> d = decodifica_percorso(b);
  verifica(static_cast<bool>(d) && d.valore.size() == m.percorso.size());
  if (m.percorso.size() > 1) verifica(d.valore[1].dato1 == 5121);
}

// The line file is 2 × (lunghezza_estesa + 1) tagged values: the x half,
// then the y half, each metre taking 2, 4 or 10 bytes by its type. The
// decoder must meet exactly that many values, each tag being the type the
// plan holds for its metre, ending exactly at the end of the file. The
// types run in one order: the two whole-number points, the computed points,
// the points never reached.
void verifica_linea(const modello& m, std::string_view b) {
  verifica(b.size() == dimensione_linea(m.plan));
  if (!m.plan.dimensionata) {
    verifica(b.empty());
    return;
  }
  verifica(m.plan.ultimo == m.lunghezza_estesa);
  decodificato<punti_linea> d = decodifica_linea(b);
  verifica(static_cast<bool>(d));
  const size_t per_meta = static_cast<size_t>(m.plan.ultimo) + 1;
  verifica(d.valore.x.size() == per_meta && d.valore.y.size() == per_meta);
  for (const std::vector<punto_linea>* meta : {&d.valore.x, &d.valore.y}) {
    int ultimo_tipo_visto = -1;
    for (int32_t metro = 0; metro <= m.plan.ultimo; ++metro) {
      planimetria::tipo_punto tag = (*meta)[static_cast<size_t>(metro)].tipo;
      verifica(tag == m.plan.tipo(metro));
      if (tag == planimetria::tipo_punto::intero) verifica(metro < 2);
      // Ranks 0 (whole), 1 (computed), 2 (empty) never go back; a plan
      // without its origin is empty throughout.
      int rango = tag == planimetria::tipo_punto::intero ? 0 : tag == planimetria::tipo_punto::doppio ? 1 : 2;
      verifica(rango >= ultimo_tipo_visto);
      ultimo_tipo_visto = rango;
    }
  }
}

// The line file encoded in pieces of `pezzo` bytes joins to exactly the
// bytes encoded whole, wherever the cuts fall inside the tagged values.
void verifica_linea_a_pezzi(const modello& m, std::string_view b, size_t pezzo) {
  size_t at = 0;
  codifica_linea_a_pezzi(m.plan, pezzo, [&](std::string_view parte) {
    verifica(!parte.empty() && parte.size() <= pezzo);
    verifica(at + parte.size() <= b.size() && b.compare(at, parte.size(), parte) == 0);
    at += parte.size();
  });
  verifica(at == b.size());
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
  if (j != 0) {
    verifica_linea(m, destinazione.linea.byte);
    // Pieces of about 4 KiB, their size varying with the input: fine cuts
    // on a 20 MB plan would cost more than the rest of the run.
    verifica_linea_a_pezzi(m, destinazione.linea.byte, 4093 - n % 97);
  }
  return 0;
}
