// The train phase of the reader: general values, line speeds and adhesion,
// the clock and sand, signals and slow-downs (through their recorders),
// abbattimento points and stations, then the speed and adhesion fills to the
// end; once the text is gone, the test of the kilometric references.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/fasi_lettura.h"
#include "compiler/lettura_comune.h"
#include "compiler/memo.h"
#include "compiler/parole.h"
#include "model/arrotonda.h"

namespace compattatore {
namespace {

// Comment fields skipped in a row before a field is tested anyway.
inline constexpr int commenti_treno = 2;

// Whole-number results keep their low bits where they are stored.
int32_t basso32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v & 0xFFFFFFFF)); }
int16_t basso16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF)); }

// The line speed as a cell holds it: v / 5 rounded, which must fit a byte.
// The test is made where the value is written, so a record whose speed
// never reaches a cell fails nowhere.
uint8_t quinto_velocita(int32_t v, luogo_testo dove) {
  const int64_t q = arrotonda_frazione(v, 5);
  if (q < 0 || q > 255) throw fallimento_lettura(motivo_fallimento::velocita_fuori_byte, dove);
  return static_cast<uint8_t>(q);
}

struct lettura_treno {
  lettura_treno(modello& m_, lettore_campi& campi_, const stato_lettura& stato_, raccolta_diagnostiche& d)
      : m(m_), campi(campi_), stato(stato_), diagnostiche(d) {}

  modello& m;
  lettore_campi& campi;
  const stato_lettura& stato;
  raccolta_diagnostiche& diagnostiche;
  int32_t indice_stazione = 1;  // the tabella entry the next station takes
  luogo_testo chiave;           // where the keyword field being applied stands
  // The first cell whose velocita (aderenza) is not yet written, and the
  // value of the last speed (adhesion) record. Before its first record each
  // value counts as 0: the first record of each is expected at position 0,
  // where it writes nothing, and nothing is carried over from the line phase.
  int64_t cursore_velocita = 0;
  int32_t velocita_precedente = 0;
  int64_t cursore_aderenza = 0;
  int32_t aderenza_precedente = 0;

  // A record that places something on the route needs the route sized; the
  // end steps of the line phase have already failed without one, so this
  // guards calls that skip them.
  void richiedi_percorso() const {
    if (!m.percorso_dimensionato())
      throw fallimento_lettura(motivo_fallimento::percorso_mancante, chiave);
  }

  // Range test of a record at p ((p + margine) / 50 at most the last cell):
  // on failure code 15 is stored and the phase ends normally.
  bool fuori_percorso(int32_t p, luogo_testo dove, int64_t margine = 100) {
    if (entro_percorso(p, m.ultima_cella, margine)) return false;
    segna(codice::oltre_percorso, dove, p);
    return true;
  }

  // Stores an error of the train source found at `dove`.
  void segna(codice c, luogo_testo dove, std::optional<int32_t> posizione = std::nullopt) {
    registra_errore(m, diagnostiche, c, sorgente::treno, dove, posizione);
  }

  // After a recorder: a code from it ends the phase, stored with this
  // record's position. So does a code 15 the line phase left (it ended the
  // line phase normally, so the train phase ran): the first recorder of the
  // train phase stops it with that code again, now at its own position.
  // No other code can stand here, since every other one stops the reading.
  esito dopo_registratore(codice dal_registratore, int32_t p, luogo_testo dove) {
    if (dal_registratore != codice::nessuno) {
      segna(dal_registratore, dove, p);
      return esito::uscita;
    }
    if (m.codice_errore == numero(codice::oltre_percorso)) {
      segna(codice::oltre_percorso, dove, p);
      return esito::uscita;
    }
    return esito::avanti;
  }

  esito velocita() {
    richiedi_percorso();
    const int32_t p = campi.numero32();
    const luogo_testo dove = campi.luogo_ultimo_campo();
    const int32_t v = campi.numero32();
    if (fuori_percorso(p, dove)) return esito::fine_fase;
    const int64_t c = cella_di(p);
    // At least one cell, so a record out of order still moves the cursor;
    // never into the last cell.
    if (c > 0)
      riempi_da_cursore(m, cursore_velocita, c, int64_t{m.ultima_cella} - 1, oltre_limite::ferma,
                        [&](cella& z) { z.velocita = quinto_velocita(velocita_precedente, dove); });
    velocita_precedente = v;
    return esito::avanti;
  }

  esito aderenza() {
    richiedi_percorso();
    const int32_t p = campi.numero32();
    const luogo_testo dove = campi.luogo_ultimo_campo();
    const int32_t a = campi.numero32();
    if (fuori_percorso(p, dove)) return esito::fine_fase;
    const int64_t c = cella_di(p);
    // At least one cell per record, like the speed, but up to the last cell
    // itself: records out of order near the end stop there, silently.
    if (c > 0)
      riempi_da_cursore(m, cursore_aderenza, c, m.ultima_cella, oltre_limite::ferma,
                        [&](cella& z) { z.aderenza = static_cast<uint8_t>(aderenza_precedente & 0xFF); });
    aderenza_precedente = a;
    return esito::avanti;
  }

  esito segnale() {
    richiedi_percorso();
    int32_t v[11];
    v[0] = campi.numero32();
    const luogo_testo dove = campi.luogo_ultimo_campo();
    for (int i = 1; i < 11; ++i) v[i] = campi.numero32();
    if (fuori_percorso(v[0], dove)) return esito::fine_fase;
    return dopo_registratore(memo_segnale(m, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]),
                             v[0], dove);
  }

  esito rallentamento() {
    richiedi_percorso();
    int32_t v[6];
    v[0] = campi.numero32();
    const luogo_testo dove = campi.luogo_ultimo_campo();
    for (int i = 1; i < 6; ++i) v[i] = campi.numero32();
    if (fuori_percorso(v[0], dove)) return esito::fine_fase;
    return dopo_registratore(memo_rallentamento(m, v[0], v[1], v[2], v[3], v[4], v[5]), v[0], dove);
  }

  esito abbattimento() {
    richiedi_percorso();
    const int32_t p = campi.numero32();
    const luogo_testo dove = campi.luogo_ultimo_campo();
    const int32_t a = campi.numero32();
    if (fuori_percorso(p, dove)) return esito::fine_fase;
    // Its own cell, round(p / 50), not the next one as for point elements.
    // A cell outside the route is refused like a taken one.
    cella* z = cella_a(m, cella_di(p));
    if (z == nullptr || !libera(*z)) {
      segna(codice::cella_abbattimento, dove, p);
      return esito::uscita;
    }
    if (a > 0) {
      poni_tipo(*z, tipo_cella::abbattimento_valore);
      z->dato1 = basso16(a);
    } else {
      poni_tipo(*z, tipo_cella::abbattimento);
    }
    return esito::avanti;
  }

  // A station record: read, its extent by kind, the cells it places, then
  // the spacing checks. Every value is stored as soon as it is read, so a
  // station refused by a later check keeps what was read before it.
  esito stazione() {
    // Stations grow upward to just below the sign slot. When the signs left
    // no entry at all below it, the station would take the slot or a sign's
    // own entry: refused before anything is stored.
    if (indice_stazione >= stato.slot_cartello) {
      segna(codice::tabella_piena, chiave);
      return esito::uscita;
    }
    richiedi_percorso();
    voce& e = m.tabella[static_cast<size_t>(indice_stazione)];

    int32_t P = 0;
    int32_t L = 0;
    luogo_testo dove;
    if (esito r = leggi_stazione(e, P, L, dove); r != esito::avanti) return r;
    estensione_stazione(e, P, L);
    if (esito r = celle_stazione(e, P, dove); r != esito::avanti) return r;
    return distanze_stazione(e, P, dove);
  }

  // Reads the record into `e`, with its position P and length L, and the
  // place of P. Refuses P out of range (15, the phase ends), P not a
  // multiple of 50 (8) and L not a multiple of 100 (9).
  esito leggi_stazione(voce& e, int32_t& P, int32_t& L, luogo_testo& dove) {
    P = campi.numero32();
    dove = campi.luogo_ultimo_campo();
    e.posizione = P;
    if (fuori_percorso(P, dove, 800)) return esito::fine_fase;
    if (P % 50 != 0) {
      segna(codice::posizione_stazione, dove, P);
      return esito::uscita;
    }
    e.tipo = campi.numero8();
    L = campi.numero32();
    if (L % 100 != 0) {
      segna(codice::lunghezza_stazione, campi.luogo_ultimo_campo(), P);
      return esito::uscita;
    }
    e.byte1 = campi.numero8();
    e.byte5 = campi.numero8();
    e.byte4 = campi.numero8();
    e.intero1 = campi.numero16();
    e.intero2 = campi.numero16();
    e.byte2 = campi.numero8();
    e.intero3 = campi.numero16();
    e.intero4 = campi.numero16();
    e.intero5 = campi.numero16();
    e.byte3 = campi.numero8();
    const int64_t ore = campi.numero32();
    const int64_t minuti = campi.numero32();
    const int64_t secondi = campi.numero32();
    e.nome = std::string(campi.nome());
    // Seconds since midnight; absurd clock values keep the low 32 bits, as
    // every computed whole number does.
    e.orario = basso32((ore * 60 + minuti) * 60 + secondi);
    return esito::avanti;
  }

  // The extent by kind (inizio, fine) and the flags it clears. Computed in
  // 64 bits, stored as the low 32.
  void estensione_stazione(voce& e, int32_t P, int32_t L) {
    int64_t inizio = 0;
    int64_t fine = 0;
    if (e.tipo == 5 || e.tipo == 6) {
      inizio = int64_t{P} - L;
      fine = int64_t{P} + 150;
      e.byte4 = 0;
    } else if (e.tipo == 7 || e.tipo == 8) {
      inizio = int64_t{P} - L;
      fine = int64_t{P} + L;
      e.byte4 = 0;
    } else {
      inizio = int64_t{P} - L / 2;
      fine = int64_t{P} + L / 2 + (e.byte4 != 0 ? 50 : 0);
    }
    e.inizio = basso32(inizio);
    e.fine = basso32(fine);
    if (L < 600) e.byte5 = 0;
    // The first station clears both flags only now, so that a non-zero
    // byte4 still lengthened it above.
    if (indice_stazione == 1) {
      e.byte4 = 0;
      e.byte5 = 0;
    }
  }

  // The cells, with F = fine / 50 as a fraction: the stop cell F - 1 and the
  // marks F - k - 1. The tests "F - j > 1" are made exactly, as
  // fine > 50 * (j + 1).
  esito celle_stazione(const voce& e, int32_t P, luogo_testo dove) {
    const int64_t f = e.fine;
    if (e.tipo >= 25) return esito::avanti;
    const bool ha_fermata = f > 100;
    // The range test covers P + 800 only: a long station near the end of
    // the route could put its stop cell past the last cell. That station
    // is treated as lying beyond the route (code 15, the phase ends
    // normally) before any of its cells is written. Its marks lie before
    // the stop cell, so they are covered too.
    if (ha_fermata && arrotonda_frazione(f - 50, 50) > m.ultima_cella) {
      segna(codice::oltre_percorso, dove, P);
      return esito::fine_fase;
    }
    if (e.tipo != 5 && e.tipo != 6) {
      for (int64_t k = 1; k <= 4; ++k) {
        const int64_t resto = f - 50 * (k + 1);
        if (resto <= 50) continue;
        if (cella* z = cella_a(m, arrotonda_frazione(resto, 50))) z->marca = static_cast<uint8_t>(80 + k);
      }
    }
    if (!ha_fermata) {
      segna(codice::stazione_in_cella_1, dove);
      return esito::uscita;
    }
    // The stop cell takes the station whatever it held.
    if (cella* z = cella_a(m, arrotonda_frazione(f - 50, 50))) {
      poni_tipo(*z, tipo_cella::fermata);
      z->dato1 = basso16(indice_stazione);
    }
    return esito::avanti;
  }

  // The spacing from the station before (22), then the room left for the
  // next one (10).
  esito distanze_stazione(const voce& e, int32_t P, luogo_testo dove) {
    const voce& precedente = m.tabella[static_cast<size_t>(indice_stazione - 1)];
    if (indice_stazione > 1 && int64_t{e.inizio} - 350 < precedente.fine) {
      segna(codice::stazione_vicina, dove, P);
      return esito::uscita;
    }
    ++indice_stazione;
    if (indice_stazione >= stato.slot_cartello) {
      segna(codice::tabella_piena, dove);
      return esito::uscita;
    }
    return esito::avanti;
  }

  // Steps of one keyword field, in test order; a field that passes several
  // tests reads several records.
  esito record(std::string_view riga) {
    esito r = esito::avanti;
    auto passo = [&r](bool prova, auto&& azione) {
      if (r == esito::avanti && prova) r = azione();
    };
    passo(contiene(riga, "frenata") && contiene(riga, "massa"), [&] {
      m.tabella[voce_misure].inizio = campi.numero32();
      return esito::avanti;
    });
    passo(contiene(riga, "vetture"), [&] {
      m.tabella[voce_misure].posizione = campi.numero32();
      return esito::avanti;
    });
    passo(contiene(riga, "velocit"), [&] { return velocita(); });
    passo(contiene(riga, "aderenza"), [&] { return aderenza(); });
    passo(contiene(riga, "orologio"), [&] {
      m.tabella[voce_treno].intero3 = campi.numero16();
      m.tabella[voce_treno].intero4 = campi.numero16();
      m.tabella[voce_treno].intero5 = campi.numero16();
      return esito::avanti;
    });
    passo(contiene(riga, "sabbia"), [&] {
      m.tabella[voce_treno].intero1 = campi.numero16();
      return esito::avanti;
    });
    passo(contiene(riga, "segnale"), [&] { return segnale(); });
    passo(contiene(riga, "rallentamento"), [&] { return rallentamento(); });
    passo(contiene(riga, "abbattimento"), [&] { return abbattimento(); });
    passo(contiene(riga, "stazione"), [&] { return stazione(); });
    return r;
  }

  bool esegui() {
    // Everything before "[generale]" is skipped; a text without it reads as
    // empty.
    while (!campi.alla_fine()) {
      if (contiene(campi.testo(), "[generale]")) break;
    }

    for (;;) {
      // A keyword field that is the last field of the text is not tested.
      if (campi.alla_fine()) return true;
      std::string_view riga = campi.testo();
      chiave = campi.luogo_ultimo_campo();
      if (campi.alla_fine()) return true;
      auto leggi_chiave = [&] {
        riga = campi.testo();
        chiave = campi.luogo_ultimo_campo();
      };
      if (!salta_commenti(campi, riga, commenti_treno, true, leggi_chiave)) return true;
      const esito r = record(riga);
      if (r != esito::avanti) return r == esito::fine_fase;
    }
  }

  // Speed to the end: at least one cell, then up to the third last cell.
  // The fill belongs to no record: a speed that does not fit here fails
  // with no source line.
  void velocita_alla_fine() {
    if (!m.percorso_dimensionato()) throw fallimento_lettura(motivo_fallimento::percorso_mancante, {});
    riempi_da_cursore(m, cursore_velocita, int64_t{m.ultima_cella} - 2, m.ultima_cella, oltre_limite::salta,
                      [&](cella& z) { z.velocita = quinto_velocita(velocita_precedente, {}); });
  }

  // Adhesion to the end, the same way. The cursor may stand past the last
  // cell after records out of order; nothing is written there.
  void aderenza_alla_fine() {
    riempi_da_cursore(m, cursore_aderenza, int64_t{m.ultima_cella} - 2, m.ultima_cella, oltre_limite::salta,
                      [&](cella& z) { z.aderenza = static_cast<uint8_t>(aderenza_precedente & 0xFF); });
  }
};

}  // namespace

bool leggi_treno(modello& m, lettore_campi& campi, stato_lettura& stato, raccolta_diagnostiche& d) {
  lettura_treno l(m, campi, stato, d);
  if (!l.esegui()) return false;
  // Speed and adhesion to the end are written here, where their cursors
  // live, rather than in concludi_treno after the text is deleted: deleting
  // the text does not touch the model, so the result is the same, and a
  // speed that fails here still ends the reading with code 25 and both
  // texts deleted, before the test of the kilometric references.
  l.velocita_alla_fine();
  l.aderenza_alla_fine();
  return true;
}

void concludi_treno(modello& m, raccolta_diagnostiche& d) {
  for (size_t voce_km : {voce_progressiva_a, voce_progressiva_b, voce_progressiva_c}) {
    const voce& v = m.tabella[voce_km];
    if (v.inizio % 50 != 0 || v.fine % 50 != 0) {
      registra_errore(m, d, codice::progressiva_non_multipla);
      return;
    }
  }
}

}  // namespace compattatore
