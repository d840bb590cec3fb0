// The line phase of the source reader: the general part (route length,
// kilometric references, backgrounds, cab-signal repetition) and the route
// records (gradients, curves, montagna elements, speed indicators, sign
// boards), then the end steps.
#include <optional>
#include <string_view>

#include "compiler/fasi_lettura.h"
#include "compiler/lettura_comune.h"
#include "compiler/lettore_linea_piano.h"
#include "compiler/memo.h"
#include "compiler/ordina.h"
#include "compiler/parole.h"
#include "model/arrotonda.h"

namespace compattatore {
namespace {

inline constexpr int32_t lunghezza_massima = 1000000;
inline constexpr int32_t margine_esteso = 7000;  // metres of line beyond the route length

// Comment fields skipped in a row before a field is tested anyway: ten in
// the general part, two among the route records.
inline constexpr int commenti_generale = 10;
inline constexpr int commenti_percorso = 2;

// A number read from the source with the place it stood at.
struct valore {
  int32_t v;
  luogo_testo dove;
};

struct lettura_linea {
  lettura_linea(modello& m_, lettore_campi& campi_, stato_lettura& stato_, raccolta_diagnostiche& d)
      : m(m_), campi(campi_), stato(stato_), diagnostiche(d) {}

  modello& m;
  lettore_campi& campi;
  stato_lettura& stato;
  raccolta_diagnostiche& diagnostiche;

  std::string_view riga;     // the field taken as a keyword field
  luogo_testo chiave;        // where it stands
  int64_t cursore_pendenza = 0;     // first cell whose gradient is not yet written
  int32_t pendenza_precedente = 0;  // gradient of the last gradient record

  void leggi_chiave() {
    riga = campi.testo();
    chiave = campi.luogo_ultimo_campo();
  }

  valore leggi_valore() {
    int32_t v = campi.numero32();
    return {v, campi.luogo_ultimo_campo()};
  }

  // Stores an error of the line source found at `dove`.
  void segna(codice c, luogo_testo dove, std::optional<int32_t> posizione = std::nullopt) {
    registra_errore(m, diagnostiche, c, sorgente::linea, dove, posizione);
  }

  // --- Finding the general part -------------------------------------------

  // Returns false (code 102 stored) when the text ends without it. The
  // field that ends the text is not tested, so "[generale]" as the very last
  // field is not found either. An empty text fails on its first read.
  bool trova_generale() {
    for (;;) {
      leggi_chiave();
      if (campi.alla_fine()) {
        registra_errore(m, diagnostiche, codice::generale_mancante);
        return false;
      }
      if (contiene(riga, "[generale]")) return true;
    }
  }

  // --- General part ---------------------------------------------------------

  esito parte_generale() {
    for (;;) {
      if (campi.alla_fine()) return esito::avanti;
      leggi_chiave();
      if (campi.alla_fine()) return esito::avanti;
      // These reads test no end: a run of comment fields that ends the text
      // makes the next read fail (code 25).
      salta_commenti(campi, riga, commenti_generale, false, [this] { leggi_chiave(); });
      if (record_generale() == esito::uscita) return esito::uscita;
      if (intestazione(riga)) return esito::avanti;
    }
  }

  // Every test that passes reads its record, in table order. Values are
  // stored as they are read, before their checks.
  esito record_generale() {
    if (contiene(riga, "lunghezza") && contiene(riga, "percorso"))
      if (lunghezza() == esito::uscita) return esito::uscita;
    const bool progressiva = contiene_esatto(riga, "progressiva");
    if (progressiva && contiene_esatto(riga, "tre")) leggi_progressiva(m.tabella[voce_progressiva_a]);
    if (progressiva && contiene_esatto(riga, "due")) leggi_progressiva(m.tabella[voce_progressiva_b]);
    if (progressiva && contiene_esatto(riga, "uno")) leggi_progressiva(m.tabella[voce_progressiva_c]);
    const bool sfondo = contiene_esatto(riga, "sfondo");
    if (sfondo && contiene_esatto(riga, "uno")) m.tabella[voce_linea].inizio = leggi_valore().v;
    if (sfondo && contiene_esatto(riga, "due")) m.tabella[voce_linea].posizione = leggi_valore().v;
    if (sfondo && contiene_esatto(riga, "tre")) m.tabella[voce_linea].fine = leggi_valore().v;
    if (contiene_esatto(riga, "segnali") && contiene_esatto(riga, "ripetizione"))
      if (ripetizione() == esito::uscita) return esito::uscita;
    return esito::avanti;
  }

  esito lunghezza() {
    const valore l = leggi_valore();
    m.tabella[voce_misure].fine = l.v;
    // A negative length is refused like one above the bound: it would leave
    // fewer than the 7000 m of extension, or no route at all.
    if (l.v < 0 || l.v > lunghezza_massima) {
      segna(codice::lunghezza_percorso, l.dove);
      return esito::uscita;
    }
    // A further length record sizes both arrays anew; whatever they held is
    // discarded.
    m.lunghezza_estesa = l.v + margine_esteso;
    m.ultima_cella = static_cast<int32_t>(cella_di(m.lunghezza_estesa));
    m.percorso = std::vector<cella>(static_cast<size_t>(m.ultima_cella) + 1);
    if (m.crea_linea != 0) m.plan = piano_vuoto(m.lunghezza_estesa);
    return esito::avanti;
  }

  void leggi_progressiva(voce& v) {
    v.inizio = leggi_valore().v;
    v.fine = leggi_valore().v;
    v.posizione = leggi_valore().v;
  }

  esito ripetizione() {
    const valore da = leggi_valore();
    m.tabella[voce_treno].inizio = da.v;
    const valore a = leggi_valore();
    m.tabella[voce_treno].fine = a.v;
    if (da.v % 50 != 0) {
      segna(codice::inizio_ripetizione, da.dove);
      return esito::uscita;
    }
    if (a.v % 50 != 0) {
      segna(codice::fine_ripetizione, a.dove);
      return esito::uscita;
    }
    if (contiene_esatto(riga, "4")) {
      m.tabella[voce_treno].posizione = 4;
    } else if (contiene_esatto(riga, "9")) {
      m.tabella[voce_treno].posizione = 9;
    } else {
      segna(codice::codici_ripetizione, chiave);
      return esito::uscita;
    }
    if (a.v == 0) m.tabella[voce_treno].posizione = 0;
    return esito::avanti;
  }

  // --- Between the parts ----------------------------------------------------

  void tra_le_parti() {
    progressive_ordina(m);
    m.n_montagne = 0;
    stato.slot_cartello = voce_ultimo_cartello;
    cursore_pendenza = 0;
    pendenza_precedente = 0;
    if (m.crea_linea != 0 && m.plan.dimensionata) piano_origine(m.plan);
  }

  // --- Route records --------------------------------------------------------

  esito parte_percorso() {
    for (;;) {
      if (campi.alla_fine()) return esito::avanti;
      leggi_chiave();
      if (campi.alla_fine()) return esito::avanti;
      if (!salta_commenti(campi, riga, commenti_percorso, true, [this] { leggi_chiave(); })) return esito::avanti;
      const esito e = record_percorso();
      if (e != esito::avanti) return e;
    }
  }

  esito record_percorso() {
    esito e = esito::avanti;
    if (contiene(riga, "pendenza") && (e = pendenza()) != esito::avanti) return e;
    // Without a track plan the curve keyword is no keyword at all: its two
    // values are then taken as fields that pass no test.
    if (m.crea_linea != 0 && contiene(riga, "curva") && (e = curva()) != esito::avanti) return e;
    if (contiene(riga, "montagna") && (e = montagna()) != esito::avanti) return e;
    if (contiene(riga, "indicatori_v") && (e = indicatori()) != esito::avanti) return e;
    if (contiene(riga, "indicat") && contiene(riga, "cartello") && (e = cartello()) != esito::avanti)
      return e;
    return esito::avanti;
  }

  // Every route record places something on the route, which exists only
  // once a route length was read.
  void richiedi_percorso() const {
    if (!m.percorso_dimensionato())
      throw fallimento_lettura(motivo_fallimento::percorso_mancante, chiave);
  }

  // Range test of a record at p; on failure stores 15 with p.
  bool entro(const valore& p) {
    if (entro_percorso(p.v, m.ultima_cella)) return true;
    segna(codice::oltre_percorso, p.dove, p.v);
    return false;
  }

  // Writes the previous gradient from the cursor on, at least one cell, while
  // the cursor is below `fino`. The cursor never writes beyond the last
  // cell: records out of order near the end of the route would otherwise
  // push it past the array, one cell per record. There it just stops.
  void scrivi_pendenza_fino_a(int64_t fino) {
    const uint8_t pendenza = static_cast<uint8_t>(int64_t{pendenza_precedente} + 100);
    riempi_da_cursore(m, cursore_pendenza, fino, m.ultima_cella, oltre_limite::ferma,
                      [pendenza](cella& c) { c.pendenza = pendenza; });
  }

  esito pendenza() {
    richiedi_percorso();
    const valore p = leggi_valore();
    const valore g = leggi_valore();
    if (!entro(p)) return esito::fine_fase;
    const int64_t c = cella_di(p.v);
    if (c > 0) scrivi_pendenza_fino_a(c);
    pendenza_precedente = g.v;
    return esito::avanti;
  }

  esito curva() {
    richiedi_percorso();
    const valore inizio = leggi_valore();
    const valore lunghezza_curva = leggi_valore();
    if (!entro(inizio)) return esito::fine_fase;
    const std::optional<double> k = curvatura_di(riga);
    if (!k) {
      segna(codice::curva_senza_classe, chiave);
      return esito::uscita;
    }
    // The range test covers only the start. A curve whose last point would
    // lie beyond the plan is refused before anything is drawn, with the
    // code of a plan that cannot be drawn.
    const int64_t fine = int64_t{inizio.v} + lunghezza_curva.v;
    if (fine > m.plan.ultimo) {
      segna(codice::curva_senza_classe, inizio.dove);
      return esito::uscita;
    }
    if (!traccia_fino_a(m.plan, inizio.v, 0.0) || !traccia_fino_a(m.plan, fine, *k)) {
      segna(codice::curva_senza_classe, inizio.dove);
      return esito::uscita;
    }
    return esito::avanti;
  }

  esito montagna() {
    richiedi_percorso();
    const valore inizio = leggi_valore();
    const valore fine = leggi_valore();
    const valore tipo = leggi_valore();
    if (!entro(inizio)) return esito::fine_fase;
    return dopo_registrazione(memo_montagna(m, inizio.v, fine.v, tipo.v), inizio);
  }

  esito indicatori() {
    richiedi_percorso();
    valore v[9];
    for (valore& x : v) x = leggi_valore();
    if (!entro(v[0])) return esito::fine_fase;
    return dopo_registrazione(
        memo_indicatori_v_max(m, v[0].v, v[1].v, v[2].v, v[3].v, v[4].v, v[5].v, v[6].v, v[7].v, v[8].v), v[0]);
  }

  // A code from a recorder ends the phase, tied to the record's position.
  esito dopo_registrazione(codice dal_registratore, const valore& posizione) {
    if (dal_registratore == codice::nessuno) return esito::avanti;
    segna(dal_registratore, posizione.dove, posizione.v);
    return esito::uscita;
  }

  esito cartello() {
    richiedi_percorso();
    const valore p = leggi_valore();
    const std::string_view testo = campi.nome();
    if (!entro(p)) return esito::fine_fase;
    const int64_t c = cella_punto(p.v);
    if (!nel_percorso(m, c) || !libera(m.percorso[static_cast<size_t>(c)])) {
      segna(codice::cella_cartello, p.dove, p.v);
      return esito::uscita;
    }
    // Signs take the entries from 80 down, stations from 1 up, and the
    // train reader keeps two entries between them. A sign that would take
    // entry 2 or below could leave no room for even one station, and more
    // signs would run past the table: it is refused with the code for
    // stations and signs that meet, after the cell test so that a taken
    // cell is still reported as such.
    if (stato.slot_cartello <= 2) {
      segna(codice::tabella_piena, p.dove);
      return esito::uscita;
    }
    cella& cl = m.percorso[static_cast<size_t>(c)];
    poni_tipo(cl, tipo_cella::cartello);
    cl.dato1 = static_cast<int16_t>(stato.slot_cartello);
    m.tabella[static_cast<size_t>(stato.slot_cartello)].nome = std::string(testo);
    stato.slot_cartello -= 1;
    return esito::avanti;
  }

  // --- End of the phase -----------------------------------------------------

  // The gradient to the end of the route, at least one cell, while the
  // cursor is below ultima_cella - 2; the last cells keep 0.
  void pendenza_alla_fine() {
    if (!m.percorso_dimensionato()) throw fallimento_lettura(motivo_fallimento::percorso_mancante, {});
    scrivi_pendenza_fino_a(int64_t{m.ultima_cella} - 2);
  }
};

}  // namespace

bool leggi_linea(modello& m, lettore_campi& campi, stato_lettura& stato, raccolta_diagnostiche& d) {
  lettura_linea l(m, campi, stato, d);
  if (!l.trova_generale()) return false;
  if (l.parte_generale() == esito::uscita) return false;
  l.tra_le_parti();
  if (l.parte_percorso() == esito::uscita) return false;
  // The gradient to the end is written here, where the gradient cursor
  // lives, rather than in concludi_linea after the text is deleted: deleting
  // the text does not touch the model, so the result is the same, and a
  // route that was never sized fails the same way (code 25).
  l.pendenza_alla_fine();
  return true;
}

bool concludi_linea(modello& m, raccolta_diagnostiche& d) {
  // leggi_linea has already refused a route never sized (its gradient fill
  // throws), so a plan, when asked for, exists here.
  if (m.crea_linea == 0) return true;
  // The straight line to the end takes the same step as a curve, with the
  // same bound on the point index: a route long enough to pass it fails.
  if (!traccia_fino_a(m.plan, int64_t{m.plan.ultimo} - 2, 0.0)) {
    registra_errore(m, d, codice::curva_senza_classe);
    return false;
  }
  return true;
}

}  // namespace compattatore
