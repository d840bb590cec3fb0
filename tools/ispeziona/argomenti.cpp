#include "tools/ispeziona/argomenti.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace compattatore::ispeziona {
namespace {

// CLI11 ends its messages with the list of what it did not expect after
// ": "; our sentence keeps that list and says the rest in our words.
std::string dopo_i_due_punti(const std::string& messaggio) {
  const size_t i = messaggio.find(": ");
  return i == std::string::npos ? messaggio : messaggio.substr(i + 2);
}

}  // namespace

std::string testo_aiuto(lingua l) {
  // Written here rather than generated, so that it is in the user's language.
  const testi& t = testi_di(l);
  std::string s = std::string(t.uso) + "\n\n" + std::string(t.descrizione) + "\n\n";
  const std::pair<const char*, std::string_view> righe[] = {
      {"--json", t.opzione_json},
      {"--html FILE", t.opzione_html},
      {"--role linea|tabella|percorso", t.opzione_ruolo},
      {"-h, --help", t.opzione_aiuto},
      {"--version", t.opzione_versione},
  };
  for (const auto& [opzione, testo] : righe) {
    std::string o = opzione;
    s += "  " + o + std::string(o.size() < 32 ? 32 - o.size() : 1, ' ') + std::string(testo) + "\n";
  }
  s += "\n" + std::string(t.ruoli) + "\n";
  return s;
}

esito_argomenti analizza_argomenti(const std::vector<std::string>& argomenti, lingua l) {
  const testi& t = testi_di(l);
  esito_argomenti e;
  CLI::App app{std::string(t.descrizione), "ispeziona"};
  app.set_help_flag("-h,--help", std::string(t.opzione_aiuto));
  app.set_version_flag("--version", std::string(versione), std::string(t.opzione_versione));
  std::string ruolo_scritto;
  std::string html;
  app.add_flag("--json", e.o.json, std::string(t.opzione_json));
  CLI::Option* opzione_html = app.add_option("--html", html, std::string(t.opzione_html))->type_name("FILE");
  CLI::Option* opzione_ruolo =
      app.add_option("--role", ruolo_scritto, std::string(t.opzione_ruolo))->type_name("linea|tabella|percorso");
  app.add_option("FILE_COMPILATO", e.o.file, std::string(t.file_compilati))->required()->type_name("");

  // CLI11 reads the arguments last first.
  std::vector<std::string> rovesciati(argomenti.rbegin(), argomenti.rend());
  try {
    app.parse(rovesciati);
  } catch (const CLI::CallForHelp&) {
    e.a = esito_argomenti::azione::aiuto;
    e.testo = testo_aiuto(l);
    return e;
  } catch (const CLI::CallForVersion&) {
    e.a = esito_argomenti::azione::versione;
    e.testo = std::string(versione) + "\n";
    return e;
  } catch (const CLI::RequiredError&) {
    e.testo = std::string(t.nessun_file);
    return e;
  } catch (const CLI::ExtrasError& x) {
    e.testo = rendi(id_messaggio::ispeziona_argomento_inatteso, {dopo_i_due_punti(x.what())}, l);
    return e;
  } catch (const CLI::ParseError& x) {
    e.testo = x.what();
    return e;
  }
  if (opzione_ruolo->count() > 0) {
    e.o.r = ruolo_dalla_parola(ruolo_scritto);
    if (!e.o.r) {
      e.testo = std::string(t.ruolo_sconosciuto) + ": \"" + ruolo_scritto + "\" (linea, tabella, percorso)";
      return e;
    }
  }
  if (opzione_html->count() > 0) e.o.html = html;
  e.a = esito_argomenti::azione::ispeziona;
  return e;
}

}  // namespace compattatore::ispeziona
