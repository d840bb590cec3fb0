#include "tools/ispeziona/contenuto.h"

#include <algorithm>
#include <cmath>

namespace compattatore::ispeziona {
namespace {

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

int valore_di(const cella& c, membro m) {
  switch (m) {
    case membro::velocita: return c.velocita;
    case membro::pendenza: return c.pendenza;
    case membro::aderenza: return c.aderenza;
    case membro::montagna: return c.montagna;
  }
  return 0;
}

bool ha_valore(const punto_linea& p) { return p.tipo != planimetria::tipo_punto::vuoto; }

}  // namespace

std::optional<ruolo> ruolo_dal_nome(std::string_view percorso) {
  const size_t barra = percorso.rfind('/');
  const std::string_view nome = barra == std::string_view::npos ? percorso : percorso.substr(barra + 1);
  if (finisce_con(nome, "_linea.dat")) return ruolo::linea;
  if (finisce_con(nome, ".sim") && nome.size() > 4) return ruolo::tabella;
  if (finisce_con(nome, ".dat") && nome.size() > 4) return ruolo::percorso;
  return std::nullopt;
}

std::optional<ruolo> ruolo_dalla_parola(std::string_view parola) {
  if (parola == "linea") return ruolo::linea;
  if (parola == "tabella") return ruolo::tabella;
  if (parola == "percorso") return ruolo::percorso;
  return std::nullopt;
}

std::string_view parola_del_ruolo(ruolo r) {
  switch (r) {
    case ruolo::linea: return "linea";
    case ruolo::tabella: return "tabella";
    case ruolo::percorso: return "percorso";
  }
  return {};
}

decodificato<file_letto> decodifica_file(const std::string& nome, ruolo r, std::string_view byte) {
  decodificato<file_letto> d;
  d.valore.nome = nome;
  d.valore.r = r;
  switch (r) {
    case ruolo::percorso: {
      auto c = decodifica_percorso(byte);
      if (c) d.valore.celle = std::move(c.valore);
      d.errore = c.errore;
      break;
    }
    case ruolo::tabella: {
      auto t = decodifica_tabella(byte);
      if (t) d.valore.voci = std::move(t.valore);
      d.errore = t.errore;
      break;
    }
    case ruolo::linea: {
      auto p = decodifica_linea(byte);
      if (p) d.valore.punti = std::move(p.valore);
      d.errore = p.errore;
      break;
    }
  }
  return d;
}

std::vector<tratto> tratti(const std::vector<cella>& celle, membro m) {
  std::vector<tratto> t;
  for (size_t k = 0; k < celle.size(); ++k) {
    const int v = valore_di(celle[k], m);
    if (t.empty() || t.back().valore != v) t.push_back({static_cast<int64_t>(k), v});
  }
  return t;
}

size_t fine_dei_dati(const std::vector<cella>& celle) {
  size_t fine = celle.size();
  while (fine > 0 && celle[fine - 1].velocita == 0 && celle[fine - 1].pendenza == 0 && celle[fine - 1].aderenza == 0) {
    --fine;
  }
  return fine;
}

bool in_uso(const voce& v) {
  return v.tipo != 0 || v.inizio != 0 || v.fine != 0 || v.posizione != 0 || v.byte1 != 0 || !v.nome.empty() ||
         v.intero1 != 0 || v.intero2 != 0 || v.intero3 != 0 || v.intero4 != 0 || v.intero5 != 0 || v.byte2 != 0 ||
         v.byte3 != 0 || v.byte4 != 0 || v.byte5 != 0 || v.orario != 0;
}

bool e_cartello(const voce& v) {
  voce numeri = v;
  numeri.nome.clear();
  return !v.nome.empty() && !in_uso(numeri);
}

std::vector<cambio_curvatura> cambi_curvatura(const punti_linea& p) {
  std::vector<cambio_curvatura> cambi;
  const size_t n = std::min(p.x.size(), p.y.size());
  for (size_t i = 2; i < n; ++i) {
    if (!ha_valore(p.x[i]) || !ha_valore(p.x[i - 1]) || !ha_valore(p.x[i - 2])) continue;
    if (!ha_valore(p.y[i]) || !ha_valore(p.y[i - 1]) || !ha_valore(p.y[i - 2])) continue;
    const double dx = p.x[i - 1].valore - p.x[i - 2].valore;
    const double dy = p.y[i - 1].valore - p.y[i - 2].valore;
    const double ddx = p.x[i].valore - 2 * p.x[i - 1].valore + p.x[i - 2].valore;
    const double ddy = p.y[i].valore - 2 * p.y[i - 1].valore + p.y[i - 2].valore;
    const double passo = dx * dx + dy * dy;
    if (!(passo > 0) || !std::isfinite(passo)) continue;
    double k = std::round((ddx * dy - ddy * dx) / passo * 1e6) / 1e6;
    if (!std::isfinite(k)) continue;  // a point that is no number bends nothing
    if (k == 0) k = 0;  // no "-0"
    // The turn happens at the middle point of the three.
    if (cambi.empty() || cambi.back().curvatura != k) cambi.push_back({static_cast<int64_t>(i - 1), k});
  }
  return cambi;
}

void allarga(estensione& e, double x, double y) {
  if (e.vuota) {
    e = {false, x, x, y, y};
    return;
  }
  e.min_x = std::min(e.min_x, x);
  e.max_x = std::max(e.max_x, x);
  e.min_y = std::min(e.min_y, y);
  e.max_y = std::max(e.max_y, y);
}

estensione estensione_di(const punti_linea& p) {
  estensione e;
  const size_t n = std::min(p.x.size(), p.y.size());
  for (size_t i = 0; i < n; ++i) {
    if (!ha_valore(p.x[i]) || !ha_valore(p.y[i])) continue;
    const double x = p.x[i].valore, y = p.y[i].valore;
    if (std::isfinite(x) && std::isfinite(y)) allarga(e, x, y);
  }
  return e;
}

size_t punti_con_valore(const punti_linea& p) {
  size_t n = 0;
  for (size_t i = 0; i < std::min(p.x.size(), p.y.size()); ++i) n += ha_valore(p.x[i]) && ha_valore(p.y[i]);
  return n;
}

}  // namespace compattatore::ispeziona
