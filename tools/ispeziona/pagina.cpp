#include "tools/ispeziona/pagina.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "tools/ispeziona/testo.h"
#include "tools/ispeziona/testo_1252.h"

namespace compattatore::ispeziona {
namespace {

// Drawing sizes, in SVG user units; the page scales them to its width.
constexpr double larghezza = 1200;
constexpr double altezza_pianta = 520;
constexpr double margine_sinistro = 64;   // room for the value labels of the profiles
constexpr double margine_destro = 16;
constexpr int punti_massimi_polilinea = 2000;  // enough for a smooth line at this width

std::string n(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", v);
  return b;
}

struct scenario {
  const std::vector<cella>* celle = nullptr;
  const std::array<voce, voci_tabella>* voci = nullptr;
  const punti_linea* punti = nullptr;
  std::vector<std::string> nomi;
};

scenario raccogli(const std::vector<file_letto>& files) {
  scenario s;
  for (const file_letto& f : files) {
    if (f.celle && !s.celle) s.celle = &*f.celle;
    if (f.voci && !s.voci) s.voci = &*f.voci;
    if (f.punti && !s.punti) s.punti = &*f.punti;
    s.nomi.push_back(f.nome);
  }
  return s;
}

bool ha_punto(const punti_linea& p, int64_t m) {
  if (m < 0 || static_cast<size_t>(m) >= p.x.size()) return false;
  const size_t i = static_cast<size_t>(m);
  return p.x[i].tipo != planimetria::tipo_punto::vuoto && p.y[i].tipo != planimetria::tipo_punto::vuoto &&
         std::isfinite(p.x[i].valore) && std::isfinite(p.y[i].valore);
}

// A marker along the line: position in metres, kind, label (UTF-8, escaped).
struct segno {
  int64_t metri;
  enum { stazione, segnale, cartello } tipo;
  std::string etichetta;
};

std::vector<segno> segni_di(const scenario& s, lingua l) {
  std::vector<segno> v;
  if (s.voci) {
    for (int i = 1; i <= voce_ultimo_cartello; ++i) {
      const voce& e = (*s.voci)[static_cast<size_t>(i)];
      if (in_uso(e) && !e_cartello(e)) v.push_back({e.posizione, segno::stazione, html_da_1252(e.nome)});
    }
  }
  if (s.celle) {
    for (size_t k = 0; k < s.celle->size(); ++k) {
      const cella& c = (*s.celle)[k];
      const int64_t m = metri_di_cella(static_cast<int64_t>(k));
      if (c.tipo == 1) v.push_back({m, segno::segnale, html_escape(std::string(testi_di(l).legenda_segnale))});
      if (c.tipo == 14) {
        std::string testo;
        if (s.voci && c.dato1 >= 0 && c.dato1 < voci_tabella) testo = (*s.voci)[static_cast<size_t>(c.dato1)].nome;
        v.push_back({m, segno::cartello, html_da_1252(testo)});
      }
    }
  }
  return v;
}

// Approximate width of a bold label in SVG units: each code point takes an
// average advance of the font size, capitals a wider one.
double larghezza_testo(const std::string& utf8, double corpo) {
  double em = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    em += c >= 'A' && c <= 'Z' ? 0.74 : 0.6;
  }
  return em * corpo;
}

// Places labels without overlap: each takes the first of its candidate
// positions whose box meets no box placed before (the last candidate when
// all do).
struct posatore {
  struct scatola {
    double x0, y0, x1, y1;
  };
  std::vector<scatola> posate;
  double larghezza_massima;

  // Returns the chosen (x, y) of a label centred on x with baseline y.
  std::pair<double, double> posa(double larghezza_etichetta, double corpo,
                                 const std::vector<std::pair<double, double>>& candidati) {
    for (size_t i = 0; i < candidati.size(); ++i) {
      const double meta = larghezza_etichetta / 2;
      const double x = std::clamp(candidati[i].first, meta + 4, larghezza_massima - meta - 4);
      const scatola b{x - meta - 2, candidati[i].second - corpo, x + meta + 2, candidati[i].second + 3};
      const bool libera = std::none_of(posate.begin(), posate.end(), [&](const scatola& o) {
        return b.x0 < o.x1 && o.x0 < b.x1 && b.y0 < o.y1 && o.y0 < b.y1;
      });
      if (libera || i + 1 == candidati.size()) {
        posate.push_back(b);
        return {x, candidati[i].second};
      }
    }
    return {0, 0};
  }
};

// ---- Track plan ------------------------------------------------------------

std::string svg_pianta(const scenario& s, lingua l) {
  const testi& t = testi_di(l);
  if (!s.punti || punti_con_valore(*s.punti) < 2) {
    return "<p class=\"assente\">" + html_escape(t.senza_piano) + "</p>\n";
  }
  const punti_linea& p = *s.punti;
  const int64_t ultimo = static_cast<int64_t>(p.x.size()) - 1;
  // The plan is turned so that its start lies left of its end on one level:
  // a line runs mostly one way, and laid along the page's width it is drawn
  // large. The drawing has no north of its own to keep.
  int64_t primo_punto = 0, ultimo_punto = ultimo;
  while (primo_punto < ultimo && !ha_punto(p, primo_punto)) ++primo_punto;
  while (ultimo_punto > primo_punto && !ha_punto(p, ultimo_punto)) --ultimo_punto;
  const double angolo = std::atan2(p.y[static_cast<size_t>(ultimo_punto)].valore - p.y[static_cast<size_t>(primo_punto)].valore,
                                   p.x[static_cast<size_t>(ultimo_punto)].valore - p.x[static_cast<size_t>(primo_punto)].valore);
  const double coseno = std::cos(angolo), seno = std::sin(angolo);
  auto ruota_x = [&](int64_t m) {
    return p.x[static_cast<size_t>(m)].valore * coseno + p.y[static_cast<size_t>(m)].valore * seno;
  };
  auto ruota_y = [&](int64_t m) {
    return -p.x[static_cast<size_t>(m)].valore * seno + p.y[static_cast<size_t>(m)].valore * coseno;
  };
  estensione e;
  for (int64_t m = 0; m <= ultimo; ++m) {
    if (!ha_punto(p, m)) continue;
    allarga(e, ruota_x(m), ruota_y(m));
  }
  const double pad = 40;
  const double wx = std::max(e.max_x - e.min_x, 1.0);
  const double wy = std::max(e.max_y - e.min_y, 1.0);
  const double scala = std::min((larghezza - 2 * pad) / wx, (altezza_pianta - 2 * pad) / wy);
  // As tall as the drawing needs, within bounds that leave room for labels.
  const double altezza = std::clamp(wy * scala + 2 * pad + 40, 240.0, altezza_pianta);
  const double ox = (larghezza - wx * scala) / 2;
  const double oy = (altezza - wy * scala) / 2;
  auto px = [&](int64_t m) { return ox + (ruota_x(m) - e.min_x) * scala; };
  auto py = [&](int64_t m) { return altezza - (oy + (ruota_y(m) - e.min_y) * scala); };

  const int64_t passo = std::max<int64_t>(1, (ultimo + 1) / punti_massimi_polilinea);
  std::string punti;
  int64_t ultimo_disegnato = -1;
  for (int64_t m = 0; m <= ultimo; ++m) {
    if (!ha_punto(p, m)) continue;
    if (m % passo != 0 && ha_punto(p, m + 1)) continue;  // keep the last point of each computed stretch
    punti += n(px(m)) + "," + n(py(m)) + " ";
    ultimo_disegnato = m;
  }

  std::string svg = "<svg id=\"pianta\" viewBox=\"0 0 " + n(larghezza) + " " + n(altezza) +
                    "\" role=\"img\" aria-label=\"" + html_escape(t.pianta) + "\">\n";
  svg += "<rect class=\"fondo\" x=\"0\" y=\"0\" width=\"" + n(larghezza) + "\" height=\"" + n(altezza) +
         "\"/>\n";
  svg += "<polyline class=\"binario-ombra\" points=\"" + punti + "\"/>\n";
  svg += "<polyline id=\"polilinea-pianta\" class=\"binario\" points=\"" + punti + "\"/>\n";

  // Kilometre ticks along the track.
  const int64_t km_passo = ultimo > 40000 ? 5000 : ultimo > 12000 ? 2000 : 1000;
  for (int64_t m = km_passo; m <= ultimo_disegnato; m += km_passo) {
    if (!ha_punto(p, m)) continue;
    const double x = px(m), y = py(m);
    svg += "<circle class=\"km\" cx=\"" + n(x) + "\" cy=\"" + n(y) + "\" r=\"2.2\"/>";
    svg += "<text class=\"km-testo\" x=\"" + n(x + 5) + "\" y=\"" + n(y + 12) + "\">" + std::to_string(m / 1000) +
           "</text>\n";
  }
  // Start of the route.
  if (ha_punto(p, 0)) {
    const double x = px(0), y = py(0);
    svg += "<circle class=\"inizio\" cx=\"" + n(x) + "\" cy=\"" + n(y) + "\" r=\"5\"/>";
    svg += "<text class=\"etichetta\" x=\"" + n(x + 8) + "\" y=\"" + n(y - 8) + "\">" +
           html_escape(t.legenda_inizio) + "</text>\n";
  }
  posatore etichette{{}, larghezza};
  for (const segno& g : segni_di(s, l)) {
    if (!ha_punto(p, g.metri)) continue;
    const double x = px(g.metri), y = py(g.metri);
    switch (g.tipo) {
      case segno::stazione: {
        svg += "<circle class=\"stazione\" cx=\"" + n(x) + "\" cy=\"" + n(y) + "\" r=\"6.5\"><title>" +
               g.etichetta + "</title></circle>";
        // Above the track, else below, else further out: close stations
        // never write over each other.
        const auto [lx, ly] = etichette.posa(larghezza_testo(g.etichetta, 12.5), 12.5,
                                             {{x, y - 12}, {x, y + 23}, {x, y - 28}, {x, y + 39}, {x, y - 44}});
        svg += "<text class=\"etichetta stazione-testo\" x=\"" + n(lx) + "\" y=\"" + n(ly) + "\">" + g.etichetta +
               "</text>\n";
        break;
      }
      case segno::segnale:
        svg += "<path class=\"segnale\" d=\"M" + n(x) + "," + n(y - 5) + " l4.5,8 h-9 z\"><title>" + g.etichetta +
               " " + metri(l, g.metri) + "</title></path>\n";
        break;
      case segno::cartello:
        svg += "<rect class=\"cartello\" x=\"" + n(x - 3.5) + "\" y=\"" + n(y - 3.5) +
               "\" width=\"7\" height=\"7\"><title>" + g.etichetta + " " + metri(l, g.metri) + "</title></rect>\n";
        break;
    }
  }
  // Scale bar: a power of ten near a fifth of the drawing. A plan of
  // absurd size (a damaged file) gets none rather than a figure no integer
  // holds.
  const double metri_barra = std::pow(10.0, std::floor(std::log10(std::max(wx, wy) / 5)));
  if (metri_barra >= 1 && metri_barra <= 1e12) {
    const double lunghezza_barra = metri_barra * scala;
    svg += "<g class=\"scala\"><line x1=\"20\" y1=\"" + n(altezza - 18) + "\" x2=\"" + n(20 + lunghezza_barra) +
           "\" y2=\"" + n(altezza - 18) + "\"/><text x=\"20\" y=\"" + n(altezza - 24) + "\">" +
           metri(l, static_cast<int64_t>(metri_barra)) + "</text></g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

// ---- Profiles on the kilometre axis ----------------------------------------

struct asse {
  double metri_max;
  size_t celle;  // the cells drawn: 0 up to this one (excluded)
  double x(double metri) const {
    return margine_sinistro + metri / metri_max * (larghezza - margine_sinistro - margine_destro);
  }
};

double passo_km(double km) {
  for (double p : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0}) {
    if (km / p <= 16) return p;
  }
  return 500;
}

// The frame of one profile: grid, value labels, kilometre ticks.
std::string cornice(const asse& a, double altezza, double alto, double basso, double minimo, double massimo,
                    double passo_valori, const std::string& unita, lingua l) {
  std::string s;
  auto vy = [&](double v) { return basso - (v - minimo) / (massimo - minimo) * (basso - alto); };
  for (double v = minimo; v <= massimo + 1e-9; v += passo_valori) {
    s += "<line class=\"griglia\" x1=\"" + n(margine_sinistro) + "\" x2=\"" + n(larghezza - margine_destro) +
         "\" y1=\"" + n(vy(v)) + "\" y2=\"" + n(vy(v)) + "\"/>";
    s += "<text class=\"valore\" x=\"" + n(margine_sinistro - 6) + "\" y=\"" + n(vy(v) + 4) + "\">" +
         decimale(l, v, 0) + "</text>\n";
  }
  s += "<text class=\"unita\" x=\"" + n(margine_sinistro - 6) + "\" y=\"" + n(alto - 10) + "\">" + html_escape(unita) +
       "</text>\n";
  const double km = a.metri_max / 1000;
  const double p = passo_km(km);
  for (double k = 0; k <= km + 1e-9; k += p) {
    const double x = a.x(k * 1000);
    s += "<line class=\"griglia-km\" x1=\"" + n(x) + "\" x2=\"" + n(x) + "\" y1=\"" + n(alto) + "\" y2=\"" +
         n(basso) + "\"/>";
    s += "<text class=\"km-asse\" x=\"" + n(x) + "\" y=\"" + n(basso + 15) + "\">" +
         decimale(l, k, p < 1 ? 1 : 0) + "</text>\n";
  }
  s += "<line class=\"asse\" x1=\"" + n(margine_sinistro) + "\" x2=\"" + n(larghezza - margine_destro) + "\" y1=\"" +
       n(basso) + "\" y2=\"" + n(basso) + "\"/>\n";
  (void)altezza;
  return s;
}

// A step line through the runs of one cell member: value(v) gives the
// plotted value of a member value.
template <typename Valore>
std::string gradini(const asse& a, const std::vector<tratto>& t, size_t celle, double alto, double basso,
                    double minimo, double massimo, Valore valore) {
  auto vy = [&](double v) {
    return basso - (std::clamp(v, minimo, massimo) - minimo) / (massimo - minimo) * (basso - alto);
  };
  std::string d;
  for (size_t i = 0; i < t.size(); ++i) {
    const double da = std::max<double>(0, static_cast<double>(metri_di_cella(t[i].da)));
    const double a_m = i + 1 < t.size() ? static_cast<double>(metri_di_cella(t[i + 1].da))
                                        : static_cast<double>(metri_di_cella(static_cast<int64_t>(celle)));
    const double y = vy(valore(t[i].valore));
    d += (i == 0 ? "M" : "L") + n(a.x(da)) + "," + n(y) + " L" + n(a.x(std::min(a_m, a.metri_max))) + "," + n(y) +
         " ";
  }
  return d;
}

double tetto(double v, double passo) { return std::max(passo, std::ceil(v / passo) * passo); }

std::string svg_profilo(const scenario& s, const asse& a, membro m, lingua l) {
  const testi& t = testi_di(l);
  const std::vector<cella>& c = *s.celle;
  std::vector<tratto> runs = tratti(c, m);
  std::erase_if(runs, [&](const tratto& r) { return static_cast<size_t>(r.da) >= a.celle; });
  const double altezza = m == membro::velocita ? 220 : 170;
  const double alto = 22, basso = altezza - 26;
  double minimo = 0, massimo = 1, passo = 1;
  std::string unita;
  std::function<double(int)> valore;
  std::string id, classe;
  if (m == membro::pendenza) {
    int estremo = 0;
    for (const tratto& r : runs) estremo = std::max(estremo, std::abs(r.valore - 100));
    passo = estremo <= 10 ? 5 : estremo <= 30 ? 10 : 20;
    massimo = tetto(estremo, passo);
    minimo = -massimo;
    unita = std::string(t.per_mille);
    valore = [](int v) { return v - 100.0; };
    id = "profilo-pendenza";
    classe = "linea-pendenza";
  } else if (m == membro::velocita) {
    int estremo = 0;
    for (const tratto& r : runs) estremo = std::max(estremo, r.valore * 5);
    passo = estremo <= 100 ? 20 : 40;
    massimo = tetto(estremo + 10, passo);
    unita = std::string(t.km_h);
    valore = [](int v) { return v * 5.0; };
    id = "profilo-velocita";
    classe = "linea-velocita";
  } else {
    int estremo = 0;
    for (const tratto& r : runs) estremo = std::max(estremo, r.valore);
    passo = estremo <= 10 ? 2 : estremo <= 50 ? 10 : 50;
    massimo = tetto(estremo + 1, passo);
    valore = [](int v) { return static_cast<double>(v); };
    id = "profilo-aderenza";
    classe = "linea-aderenza";
  }
  std::string svg = "<svg id=\"" + id + "\" class=\"profilo\" viewBox=\"0 0 " + n(larghezza) + " " + n(altezza) +
                    "\">\n";
  svg += cornice(a, altezza, alto, basso, minimo, massimo, passo, unita, l);
  // Station lines across the profile.
  for (const segno& g : segni_di(s, l)) {
    if (g.tipo != segno::stazione || g.metri < 0 || g.metri > a.metri_max) continue;
    svg += "<line class=\"linea-stazione\" x1=\"" + n(a.x(static_cast<double>(g.metri))) + "\" x2=\"" +
           n(a.x(static_cast<double>(g.metri))) + "\" y1=\"" + n(alto) + "\" y2=\"" + n(basso) + "\"/>\n";
  }
  const std::string d = gradini(a, runs, a.celle, alto, basso, minimo, massimo, valore);
  if (m == membro::pendenza) {
    const double zero = basso - (0 - minimo) / (massimo - minimo) * (basso - alto);
    svg += "<path class=\"area-pendenza\" d=\"M" + n(margine_sinistro) + "," + n(zero) + " " + d.substr(1) + " L" +
           n(a.x(a.metri_max)) + "," + n(zero) + " Z\"/>\n";
    svg += "<line class=\"zero\" x1=\"" + n(margine_sinistro) + "\" x2=\"" + n(larghezza - margine_destro) +
           "\" y1=\"" + n(zero) + "\" y2=\"" + n(zero) + "\"/>\n";
  }
  svg += "<path class=\"" + classe + "\" d=\"" + d + "\"/>\n";
  if (m == membro::velocita) {
    // Slow-downs: from each start (kind 3) to the next end (kind 2), at the
    // slow-down's speed; the warning (kind 4) as a small mark.
    auto vy = [&](double v) { return basso - std::clamp(v, minimo, massimo) / (massimo - minimo) * (basso - alto); };
    for (size_t k = 0; k < std::min(c.size(), a.celle); ++k) {
      if (c[k].tipo == 4) {
        const double x = a.x(static_cast<double>(metri_di_cella(static_cast<int64_t>(k))));
        const double y = vy(c[k].dato1);
        svg += "<path class=\"avviso\" d=\"M" + n(x) + "," + n(y - 7) + " l6,10 h-12 z\"><title>" +
               html_escape(t.tipi[4].nome) + " " + std::to_string(c[k].dato1) + " " + html_escape(t.km_h) +
               "</title></path>\n";
      }
      if (c[k].tipo != 3) continue;
      size_t fine = k;
      while (fine + 1 < c.size() && c[fine].tipo != 2) ++fine;
      if (fine == k) fine = k + 1;
      const double x0 = a.x(static_cast<double>(metri_di_cella(static_cast<int64_t>(k))));
      const double x1 = a.x(std::min(a.metri_max, static_cast<double>(metri_di_cella(static_cast<int64_t>(fine)))));
      const double y = vy(c[k].dato1);
      svg += "<rect class=\"rallentamento\" x=\"" + n(x0) + "\" y=\"" + n(y) + "\" width=\"" +
             n(std::max(2.0, x1 - x0)) + "\" height=\"" + n(basso - y) + "\"><title>" + html_escape(t.rallentamento) +
             " " + std::to_string(c[k].dato1) + " " + html_escape(t.km_h) + "</title></rect>\n";
      svg += "<text class=\"etichetta-rallentamento\" x=\"" + n((x0 + x1) / 2) + "\" y=\"" + n(y - 5) + "\">" +
             std::to_string(c[k].dato1) + "</text>\n";
    }
  }
  svg += "</svg>\n";
  return svg;
}

// The names of the stations above the profiles, on the same axis, in two
// rows so that neighbours do not overlap.
std::string svg_stazioni(const scenario& s, const asse& a, lingua l) {
  constexpr double corpo = 11.5, fondo = 62;
  std::string svg = "<svg class=\"striscia\" viewBox=\"0 0 " + n(larghezza) + " " + n(fondo) + "\">\n";
  posatore etichette{{}, larghezza};
  for (const segno& g : segni_di(s, l)) {
    if (g.tipo != segno::stazione || g.metri < 0 || g.metri > a.metri_max) continue;
    const double x = a.x(static_cast<double>(g.metri));
    const auto [lx, ly] =
        etichette.posa(larghezza_testo(g.etichetta, corpo), corpo, {{x, 14}, {x, 30}, {x, 46}});
    svg += "<line class=\"linea-stazione\" x1=\"" + n(x) + "\" x2=\"" + n(x) + "\" y1=\"" + n(ly + 3) +
           "\" y2=\"" + n(fondo) + "\"/><circle class=\"stazione\" cx=\"" + n(x) + "\" cy=\"" + n(fondo - 3) +
           "\" r=\"3.5\"/>";
    svg += "<text class=\"nome-stazione\" x=\"" + n(lx) + "\" y=\"" + n(ly) + "\">" + g.etichetta + "</text>\n";
  }
  svg += "</svg>\n";
  return svg;
}

std::string legenda(std::initializer_list<std::pair<const char*, std::string_view>> voci) {
  std::string s = "<div class=\"legenda\">";
  for (const auto& [classe, testo] : voci) {
    s += "<span><i class=\"" + std::string(classe) + "\"></i>" + html_escape(testo) + "</span>";
  }
  return s + "</div>\n";
}

std::string stile() {
  return R"(<style>
:root { --testo: #1f2933; --tenue: #667085; --bordo: #e4e7ec; --binario: #334155; --stazione: #0284c7;
        --segnale: #dc2626; --cartello: #d97706; --velocita: #1d4ed8; --rallentamento: #e11d48;
        --pendenza: #15803d; --aderenza: #7c3aed; }
* { box-sizing: border-box; }
body { margin: 0; background: #f3f4f6; color: var(--testo);
       font: 15px/1.5 system-ui, -apple-system, "Segoe UI", "DejaVu Sans", "Liberation Sans", sans-serif; }
main { max-width: 1260px; margin: 0 auto; padding: 28px 24px 48px; }
header h1 { margin: 0 0 4px; font-size: 26px; font-weight: 650; letter-spacing: -0.01em; }
header p { margin: 0; color: var(--tenue); }
.riassunto { display: flex; flex-wrap: wrap; gap: 10px; margin: 16px 0 22px; padding: 0; list-style: none; }
.riassunto li { background: #fff; border: 1px solid var(--bordo); border-radius: 8px; padding: 8px 14px; }
.riassunto b { display: block; font-size: 18px; font-weight: 600; }
.riassunto small { color: var(--tenue); font-size: 12px; text-transform: uppercase; letter-spacing: 0.04em; }
section { background: #fff; border: 1px solid var(--bordo); border-radius: 10px; padding: 16px 20px 18px;
          margin-bottom: 20px; box-shadow: 0 1px 2px rgba(16, 24, 40, 0.04); }
h2 { font-size: 17px; margin: 0 0 6px; font-weight: 620; }
h2::first-letter, h3::first-letter { text-transform: uppercase; }
h3 { font-size: 14px; margin: 14px 0 0; font-weight: 600; color: #344054; }
svg { display: block; width: 100%; height: auto; }
.fondo { fill: #fbfcfd; }
.binario-ombra { fill: none; stroke: #fff; stroke-width: 7; stroke-linejoin: round; }
.binario { fill: none; stroke: var(--binario); stroke-width: 2.6; stroke-linejoin: round; stroke-linecap: round; }
.km { fill: #94a3b8; } .km-testo { font-size: 10px; fill: #94a3b8; }
.inizio { fill: #fff; stroke: var(--binario); stroke-width: 2.5; }
.stazione { fill: var(--stazione); stroke: #fff; stroke-width: 2; }
.segnale { fill: var(--segnale); } .cartello { fill: var(--cartello); stroke: #fff; stroke-width: 1; }
.etichetta { font-size: 12.5px; fill: var(--testo); paint-order: stroke; stroke: #fff; stroke-width: 4px;
             stroke-linejoin: round; }
.stazione-testo { font-weight: 600; text-anchor: middle; }
.scala line { stroke: var(--testo); stroke-width: 2; } .scala text { font-size: 11px; fill: var(--tenue); }
.griglia { stroke: #eef0f3; } .griglia-km { stroke: #f2f4f7; } .asse, .zero { stroke: #98a2b3; }
.valore, .unita { font-size: 11px; fill: var(--tenue); text-anchor: end; }
.km-asse { font-size: 11px; fill: var(--tenue); text-anchor: middle; }
.linea-stazione { stroke: var(--stazione); stroke-opacity: 0.35; stroke-dasharray: 3 3; }
.nome-stazione { font-size: 11.5px; fill: var(--stazione); font-weight: 600; text-anchor: middle; }
.linea-velocita { fill: none; stroke: var(--velocita); stroke-width: 2.2; }
.linea-pendenza { fill: none; stroke: var(--pendenza); stroke-width: 1.8; }
.area-pendenza { fill: var(--pendenza); fill-opacity: 0.14; }
.linea-aderenza { fill: none; stroke: var(--aderenza); stroke-width: 2; }
.rallentamento { fill: var(--rallentamento); fill-opacity: 0.16; stroke: var(--rallentamento); stroke-width: 1.5; }
.etichetta-rallentamento { font-size: 11px; fill: var(--rallentamento); text-anchor: middle; font-weight: 600; }
.avviso { fill: #f59e0b; }
.legenda { display: flex; flex-wrap: wrap; gap: 16px; font-size: 13px; color: var(--tenue); margin: 2px 0 8px; }
.legenda i { display: inline-block; width: 14px; height: 10px; margin-right: 6px; border-radius: 2px;
             vertical-align: baseline; }
.l-binario { background: var(--binario); } .l-stazione { background: var(--stazione); border-radius: 50% !important; width: 10px !important; }
.l-segnale { background: var(--segnale); } .l-cartello { background: var(--cartello); }
.l-velocita { background: var(--velocita); height: 3px !important; }
.l-rallentamento { background: var(--rallentamento); opacity: 0.5; }
.l-avviso { background: #f59e0b; }
.l-pendenza { background: var(--pendenza); opacity: 0.5; } .l-aderenza { background: var(--aderenza); height: 3px !important; }
.asse-titolo { text-align: center; color: var(--tenue); font-size: 12.5px; margin-top: 4px; }
.assente { color: var(--tenue); font-style: italic; }
table { width: 100%; border-collapse: collapse; font-size: 13.5px; }
th { text-align: left; font-weight: 600; color: #475467; background: #f9fafb; border-bottom: 1px solid var(--bordo);
     padding: 7px 10px; position: sticky; top: 0; }
td { padding: 6px 10px; border-bottom: 1px solid #f2f4f7; vertical-align: top; }
td.num { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
tr:hover td { background: #f8fafc; }
.tipo { display: inline-block; padding: 1px 8px; border-radius: 999px; font-size: 12px; background: #f2f4f7; }
.t1 { background: #fee2e2; color: #991b1b; } .t2, .t3, .t4, .t5 { background: #ffe4e6; color: #9f1239; }
.t6 { background: #dbeafe; color: #1e40af; } .t10 { background: #e0f2fe; color: #075985; }
.t12, .t13 { background: #f3e8ff; color: #6b21a8; } .t14 { background: #fef3c7; color: #92400e; }
.valori { color: #475467; }
footer { color: var(--tenue); font-size: 12.5px; }
</style>
)";
}

std::string riquadro(const std::string& valore, std::string_view etichetta) {
  return "<li><small>" + html_escape(etichetta) + "</small><b>" + valore + "</b></li>";
}

}  // namespace

std::string pagina_html(const std::vector<file_letto>& files, lingua l) {
  const testi& t = testi_di(l);
  const scenario s = raccogli(files);
  std::string titolo = std::string(t.titolo_pagina);
  std::string sottotitolo;
  if (s.voci && !(*s.voci)[85].nome.empty()) {
    sottotitolo = html_da_1252((*s.voci)[85].nome);
    if (!(*s.voci)[86].nome.empty()) sottotitolo += " · " + html_da_1252((*s.voci)[86].nome);
  }

  std::string h = "<!DOCTYPE html>\n<html lang=\"" + std::string(l == lingua::inglese ? "en" : "it") +
                  "\">\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"viewport\" content=\"width=device-width, "
                  "initial-scale=1\">\n<title>" +
                  html_escape(titolo) + (sottotitolo.empty() ? "" : " — " + sottotitolo) + "</title>\n" + stile() +
                  "</head>\n<body>\n<main>\n";
  h += "<header><h1>" + (sottotitolo.empty() ? html_escape(titolo) : sottotitolo) + "</h1><p>" + html_escape(titolo) +
       "</p></header>\n";

  // Summary.
  h += "<ul class=\"riassunto\">";
  if (s.voci) h += riquadro(metri(l, (*s.voci)[84].fine), t.lunghezza);
  if (s.celle) h += riquadro(std::to_string(s.celle->size()), t.celle);
  if (s.voci) {
    int stazioni = 0, cartelli = 0;
    for (int i = 1; i <= voce_ultimo_cartello; ++i) {
      const voce& e = (*s.voci)[static_cast<size_t>(i)];
      if (e_cartello(e)) {
        ++cartelli;
      } else if (in_uso(e)) {
        ++stazioni;
      }
    }
    h += riquadro(std::to_string(stazioni), t.stazioni);
    h += riquadro(std::to_string(cartelli), t.cartelli);
  }
  if (s.celle) {
    int segnali = 0;
    for (const cella& c : *s.celle) segnali += c.tipo == 1;
    h += riquadro(std::to_string(segnali), t.segnali);
  }
  if (s.punti) h += riquadro(std::to_string(s.punti->x.size()), t.punti);
  h += "</ul>\n";

  // Plan.
  h += "<section><h2>" + html_escape(t.pianta) + "</h2>\n";
  h += legenda({{"l-binario", t.binario}, {"l-stazione", t.legenda_stazione}, {"l-segnale", t.legenda_segnale},
                {"l-cartello", t.legenda_cartello}});
  h += svg_pianta(s, l) + "</section>\n";

  // Profiles.
  h += "<section><h2>" + html_escape(t.profilo_pendenza) + " · " + html_escape(t.profilo_velocita) + " · " +
       html_escape(t.profilo_aderenza) + "</h2>\n";
  if (s.celle && s.celle->size() > 1) {
    // The axis ends where the line records end: the cells after hold only
    // zero bytes, which would read as a -100 per mille gradient.
    const size_t fine = std::max<size_t>(fine_dei_dati(*s.celle), 2);
    const asse a{static_cast<double>(metri_di_cella(static_cast<int64_t>(fine))), fine};
    h += svg_stazioni(s, a, l);
    h += "<h3>" + html_escape(t.profilo_pendenza) + "</h3>\n";
    h += legenda({{"l-pendenza", t.pendenza}});
    h += svg_profilo(s, a, membro::pendenza, l);
    h += "<h3>" + html_escape(t.profilo_velocita) + "</h3>\n";
    h += legenda({{"l-velocita", t.velocita_linea}, {"l-rallentamento", t.rallentamento},
                  {"l-avviso", t.tipi[4].nome}});
    h += svg_profilo(s, a, membro::velocita, l);
    h += "<h3>" + html_escape(t.profilo_aderenza) + "</h3>\n";
    h += legenda({{"l-aderenza", t.aderenza}});
    h += svg_profilo(s, a, membro::aderenza, l);
    h += "<div class=\"asse-titolo\">" + html_escape(t.asse_km) + "</div>\n";
  } else {
    h += "<p class=\"assente\">" + html_escape(t.senza_percorso) + "</p>\n";
  }
  h += "</section>\n";

  // Stations.
  if (s.voci) {
    h += "<section><h2>" + html_escape(t.stazioni) + "</h2>\n<table><thead><tr><th>#</th><th>" +
         html_escape(t.stazione) + "</th><th>" + html_escape(t.posizione) + "</th><th>km</th><th>" +
         html_escape(t.area) + "</th><th>" + html_escape(t.tipo) + "</th><th>" + html_escape(t.orario) +
         "</th></tr></thead><tbody>\n";
    for (int i = 1; i <= voce_ultimo_cartello; ++i) {
      const voce& e = (*s.voci)[static_cast<size_t>(i)];
      if (!in_uso(e) || e_cartello(e)) continue;
      h += "<tr><td class=\"num\">" + std::to_string(i) + "</td><td>" + html_da_1252(e.nome) + "</td><td class=\"num\">" +
           metri(l, e.posizione) + "</td><td class=\"num\">" + decimale(l, e.posizione / 1000.0, 3) +
           "</td><td class=\"num\">" + metri(l, e.inizio) + " – " + metri(l, e.fine) + "</td><td class=\"num\">" +
           std::to_string(e.tipo) + "</td><td class=\"num\">" + ora(e.orario) + "</td></tr>\n";
    }
    h += "</tbody></table></section>\n";
  }

  // Elements.
  if (s.celle) {
    h += "<section><h2>" + html_escape(t.tabella_elementi) + "</h2>\n<table><thead><tr><th>" +
         html_escape(t.cella) + "</th><th>" + html_escape(t.posizione) + "</th><th>km</th><th>" +
         html_escape(t.tipo) + "</th><th>" + html_escape(t.valori) + "</th></tr></thead><tbody>\n";
    for (size_t k = 0; k < s.celle->size(); ++k) {
      const cella& c = (*s.celle)[k];
      if (c.tipo == 0) continue;
      const int64_t m = metri_di_cella(static_cast<int64_t>(k));
      elemento_descritto e = descrivi_elemento(c, l, s.voci);
      std::string valori;
      for (const auto& [etichetta, valore] : e.valori) {
        if (!valori.empty()) valori += " · ";
        valori += html_escape(etichetta) + " <b>" + html_escape(valore) + "</b>";
      }
      h += "<tr><td class=\"num\">" + std::to_string(k) + "</td><td class=\"num\">" + metri(l, m) +
           "</td><td class=\"num\">" + decimale(l, static_cast<double>(m) / 1000.0, 3) + "</td><td><span class=\"tipo t" +
           std::to_string(c.tipo) + "\">" + html_escape(e.tipo) + "</span></td><td class=\"valori\">" + valori +
           "</td></tr>\n";
    }
    h += "</tbody></table></section>\n";
  }

  h += "<footer>" + html_escape(t.file_letti) + ": ";
  for (size_t i = 0; i < s.nomi.size(); ++i) h += (i > 0 ? ", " : "") + html_da_1252(s.nomi[i]);
  h += "</footer>\n</main>\n</body>\n</html>\n";
  return h;
}

}  // namespace compattatore::ispeziona
