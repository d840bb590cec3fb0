#include "tools/compila/chiavi.h"

#include "pipeline/catalogo.h"

namespace compattatore {
namespace {

constexpr std::string_view coda_linea = "_linea.txt";
constexpr std::string_view coda_treno = "-.txt";

bool finisce_con(std::string_view s, std::string_view coda) {
  return s.size() >= coda.size() && s.substr(s.size() - coda.size()) == coda;
}

// The reasons a key can be refused, for one key.
struct difetti {
  id_messaggio vuota, lunga, barra;
};
constexpr difetti difetti_percorso{id_messaggio::uso_chiave_percorso_vuota, id_messaggio::uso_chiave_percorso_lunga,
                                   id_messaggio::uso_chiave_percorso_barra};
constexpr difetti difetti_treno{id_messaggio::uso_chiave_treno_vuota, id_messaggio::uso_chiave_treno_lunga,
                                id_messaggio::uso_chiave_treno_barra};

// Returns the reason why `chiave` cannot be a key, or "" when it can.
std::string difetto_chiave(const std::string& chiave, const difetti& quale) {
  if (chiave.empty()) return rendi(quale.vuota);
  if (chiave.size() > 0xFFFF) return rendi(quale.lunga);
  if (chiave.find('/') != std::string::npos) return rendi(quale.barra, {chiave});
  return "";
}

}  // namespace

std::string_view nome_base(std::string_view percorso) {
  size_t barra = percorso.rfind('/');
  return barra == std::string_view::npos ? percorso : percorso.substr(barra + 1);
}

std::string cartella_di(std::string_view percorso) {
  size_t barra = percorso.rfind('/');
  if (barra == std::string_view::npos) return "";
  if (barra == 0) return "/";
  return std::string(percorso.substr(0, barra));
}

esito_chiavi chiavi_di(const opzioni_compila& o) {
  esito_chiavi e;
  if (o.chiave_linea) {
    e.k.linea = *o.chiave_linea;
  } else {
    std::string_view nome = nome_base(o.sorgente_linea);
    if (!finisce_con(nome, coda_linea) || nome.size() == coda_linea.size()) {
      e.errore = rendi(id_messaggio::uso_nome_sorgente_linea, {o.sorgente_linea});
      return e;
    }
    e.k.linea = std::string(nome.substr(0, nome.size() - coda_linea.size()));
  }
  if (std::string d = difetto_chiave(e.k.linea, difetti_percorso); !d.empty()) {
    e.errore = d;
    return e;
  }

  if (o.chiave_treno) {
    e.k.treno = *o.chiave_treno;
  } else {
    std::string_view nome = nome_base(o.sorgente_treno);
    const std::string testa = e.k.linea + "_";
    if (nome.size() <= testa.size() + coda_treno.size() || nome.substr(0, testa.size()) != testa ||
        !finisce_con(nome, coda_treno)) {
      e.errore = rendi(id_messaggio::uso_nome_sorgente_treno, {testa, o.sorgente_treno});
      return e;
    }
    e.k.treno = std::string(nome.substr(testa.size(), nome.size() - testa.size() - coda_treno.size()));
  }
  if (std::string d = difetto_chiave(e.k.treno, difetti_treno); !d.empty()) {
    e.errore = d;
    return e;
  }
  e.valide = true;
  return e;
}

}  // namespace compattatore
