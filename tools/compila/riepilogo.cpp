#include "tools/compila/riepilogo.h"

#include "pipeline/catalogo.h"

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

std::string riepilogo(const conteggi& c, size_t scritti, bool verifica, lingua l) {
  auto n = [](int64_t v) { return std::to_string(v); };
  const std::string file = verifica
                               ? rendi(id_messaggio::compila_riepilogo_verifica, {}, l)
                               : rendi(id_messaggio::compila_riepilogo_scritti, {n(int64_t(scritti))}, l);
  return "compila: " +
         rendi(id_messaggio::compila_riepilogo,
               {n(c.lunghezza), n(c.stazioni), n(c.segnali), n(c.rallentamenti), n(c.cartelli),
                n(c.cambi_velocita), file},
               l) +
         "\n";
}

}  // namespace compattatore
