#include "tools/compila/riepilogo.h"

namespace compattatore {

conteggi conta(const modello& m) {
  conteggi c;
  c.lunghezza = m.tabella[84].fine;
  // Stations take the entries from 1 up without a gap; an entry in use
  // holds at least a kind, a position, an extent or a name.
  for (size_t i = 1; i < voce_ultimo_cartello; ++i) {
    const voce& v = m.tabella[i];
    if (v.tipo == 0 && v.posizione == 0 && v.inizio == 0 && v.fine == 0 && v.nome.empty()) break;
    ++c.stazioni;
  }
  // The speed is written on cells 0 to ultima_cella - 3; the last cells
  // keep 0 and are no change an author made.
  const size_t fine_velocita = m.percorso.size() > 3 ? m.percorso.size() - 3 : 0;
  for (size_t i = 0; i < m.percorso.size(); ++i) {
    const cella& z = m.percorso[i];
    if (z.tipo == 1) ++c.segnali;
    if (z.tipo == 3) ++c.rallentamenti;
    if (z.tipo == 14) ++c.cartelli;
    if (i > 0 && i < fine_velocita && z.velocita != m.percorso[i - 1].velocita) ++c.cambi_velocita;
  }
  return c;
}

std::string riepilogo(const conteggi& c, size_t scritti, bool verifica, lingua_rilievi l) {
  const bool en = l == lingua_rilievi::inglese;
  auto n = [](int v) { return std::to_string(v); };
  std::string s = "compila: ";
  if (en) {
    s += "route of " + n(c.lunghezza) + " m; " + n(c.stazioni) + " stations, " + n(c.segnali) + " signals, " +
         n(c.rallentamenti) + " slow-downs, " + n(c.cartelli) + " sign boards, " + n(c.cambi_velocita) +
         " speed changes; ";
    s += verifica ? "no file written (--check)" : std::to_string(scritti) + " files written";
  } else {
    s += "percorso di " + n(c.lunghezza) + " m; " + n(c.stazioni) + " stazioni, " + n(c.segnali) +
         " segnali, " + n(c.rallentamenti) + " rallentamenti, " + n(c.cartelli) + " cartelli, " +
         n(c.cambi_velocita) + " cambi di velocita'; ";
    s += verifica ? "nessun file scritto (--check)" : std::to_string(scritti) + " file scritti";
  }
  return s + "\n";
}

}  // namespace compattatore
