#include "tools/ispeziona/esecuzione.h"

#include "app/piattaforma.h"
#include "tools/ispeziona/json.h"
#include "tools/ispeziona/pagina.h"
#include "tools/ispeziona/testo.h"

namespace compattatore::ispeziona {
namespace {

esito_esecuzione fallita(lingua l, const std::string& motivo) {
  esito_esecuzione e;
  e.uscita = uscita_fallita;
  e.errore_standard = std::string(testi_di(l).errore_uso_prefisso) + motivo + "\n";
  return e;
}

// A usage error: the reason, then the usage line.
esito_esecuzione errore_uso(lingua l, const std::string& motivo) {
  const testi& t = testi_di(l);
  esito_esecuzione e = fallita(l, motivo + " " + std::string(t.vedi_aiuto));
  e.errore_standard += std::string(t.uso) + "\n";
  return e;
}

}  // namespace

esito_esecuzione esegui_ispeziona(const opzioni& o, lingua l) {
  const testi& t = testi_di(l);
  // Every name is checked before any file is read: a usage error reads
  // nothing.
  std::vector<ruolo> ruoli;
  bool ruoli_visti[3] = {false, false, false};
  for (const std::string& nome : o.file) {
    std::optional<ruolo> r = o.r ? o.r : ruolo_dal_nome(nome);
    if (!r) return errore_uso(l, nome + ": " + std::string(t.nome_senza_ruolo));
    bool& visto = ruoli_visti[static_cast<int>(*r)];
    if (visto && (o.json || o.html)) {
      return errore_uso(l, nome + ": " + std::string(t.troppi_file_stesso_ruolo) + " (" +
                               std::string(parola_del_ruolo(*r)) + ")");
    }
    visto = true;
    ruoli.push_back(*r);
  }

  std::vector<file_letto> letti;
  for (size_t i = 0; i < o.file.size(); ++i) {
    const std::string& nome = o.file[i];
    std::string byte;
    try {
      byte = leggi_file(nome);
    } catch (const errore_piattaforma& x) {
      return fallita(l, x.file + ": " + x.motivo);
    }
    decodificato<file_letto> d = decodifica_file(nome, ruoli[i], byte);
    if (!d) {
      return fallita(l, nome + " (" + std::string(parola_del_ruolo(ruoli[i])) + "): offset " +
                            std::to_string(d.errore->offset) + ": " + descrivi(l, *d.errore));
    }
    letti.push_back(std::move(d.valore));
  }

  esito_esecuzione e;
  if (o.json) e.uscita_standard = oggetto_json(letti);
  if (o.html) {
    try {
      scrivi_file_sicuro(*o.html, pagina_html(letti, l));
    } catch (const errore_piattaforma& x) {
      return fallita(l, x.file + ": " + x.motivo);
    }
  }
  if (!o.json && !o.html) e.uscita_standard = rapporto_testo(letti, l);
  return e;
}

esito_esecuzione esegui_riga_di_comando(const std::vector<std::string>& argomenti, lingua l) {
  esito_argomenti a = analizza_argomenti(argomenti, l);
  switch (a.a) {
    case esito_argomenti::azione::aiuto:
    case esito_argomenti::azione::versione: {
      esito_esecuzione e;
      e.uscita_standard = a.testo;
      return e;
    }
    case esito_argomenti::azione::errore: return errore_uso(l, a.testo);
    case esito_argomenti::azione::ispeziona: break;
  }
  return esegui_ispeziona(a.o, l);
}

}  // namespace compattatore::ispeziona
