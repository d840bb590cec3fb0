#include "tools/compila/rapporto.h"

#include "pipeline/rilievi.h"

namespace compattatore {

int rilievo_del_codice(const modello& m, const std::vector<rilievo>& rilievi) {
  if (m.codice_errore == 0) return -1;
  auto stesso = [&](const rilievo& r) {
    return r.livello == livello_rilievo::errore && r.codice == m.codice_errore &&
           (m.sorgente_errore == sorgente::nessuna || r.fonte == m.sorgente_errore);
  };
  int vicino = -1;
  for (size_t i = 0; i < rilievi.size(); ++i) {
    const rilievo& r = rilievi[i];
    if (!stesso(r)) continue;
    if (m.sorgente_errore == sorgente::nessuna || r.riga == m.riga_errore) return static_cast<int>(i);
    // The reader counts a record cut short at the line of the field it
    // took for the missing value; the check pass at the record's own.
    if (r.riga < m.riga_errore) vicino = static_cast<int>(i);
  }
  return vicino;
}

rapporto componi_rapporto(const modello& m, const std::vector<rilievo>& note,
                          const std::vector<rilievo>& rilievi, const opzioni_compila& o) {
  rapporto out;
  auto riga = [&](const rilievo& r) {
    return formatta_rilievo(r, o.sorgente_linea, o.sorgente_treno, o.lingua_messaggi);
  };
  for (const rilievo& r : note) out.righe += riga(r) + "\n";

  if (m.codice_errore != 0 && rilievo_del_codice(m, rilievi) < 0)
    out.righe += formatta(diagnosi_di(m, o.sorgente_linea, o.sorgente_treno)) + "\n";

  for (const rilievo& r : rilievi) {
    if (r.livello == livello_rilievo::avviso) {
      const std::string nome(nome_avviso(r.messaggio));
      if (o.avvisi_spenti.count(nome)) continue;
      avviso_json a;
      a.file = r.fonte == sorgente::linea ? o.sorgente_linea : o.sorgente_treno;
      a.riga = r.riga;
      a.colonna = r.colonna;
      a.nome = nome;
      a.messaggio = messaggio_rilievo(r, o.sorgente_linea, o.sorgente_treno, o.lingua_messaggi);
      out.avvisi.push_back(std::move(a));
    }
    out.righe += riga(r) + "\n";
  }
  return out;
}

}  // namespace compattatore
