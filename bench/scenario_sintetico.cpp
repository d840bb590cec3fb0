#include "bench/scenario_sintetico.h"

#include <algorithm>
#include <vector>

namespace compattatore {
namespace {

constexpr int32_t massimo_stazioni = 30;
constexpr int32_t massimo_cartelli = 45;  // 30 + 45 stays below the 78 entries

// Rounds a spacing up to a multiple of 500 m, so that every position stays
// a multiple of 50 m and each cell index is exact.
int32_t a_500(int32_t metri) { return (metri + 499) / 500 * 500; }

// Cells taken by the elements placed so far, each widened by two cells on
// both sides: finishing marks need a free cell or two next to signals and
// slow-downs.
struct occupazione {
  std::vector<bool> presa;
  explicit occupazione(int32_t celle) : presa(static_cast<size_t>(celle) + 8, false) {}

  bool libere(const std::vector<int32_t>& celle) const {
    for (int32_t c : celle)
      for (int32_t d = c - 2; d <= c + 2; ++d)
        if (d < 0 || d >= static_cast<int32_t>(presa.size()) || presa[static_cast<size_t>(d)]) return false;
    return true;
  }
  void prendi(const std::vector<int32_t>& celle) {
    for (int32_t c : celle)
      for (int32_t d = c - 2; d <= c + 2; ++d) presa[static_cast<size_t>(d)] = true;
  }
};

// Cell of a point element at a position that is a multiple of 50.
int32_t cella(int32_t p) { return p / 50 + 1; }

// The cells a slow-down at x (l = 350, approach flag set) takes: the four
// approach cells, the warning 1200 m before, the start and the end.
std::vector<int32_t> celle_rallentamento(int32_t x) {
  const int32_t avviso = cella(x - 1200);
  return {avviso - 4, avviso - 3, avviso - 2, avviso - 1, avviso, cella(x), cella(x + 350)};
}

// The cell a station of kind 12 and length 400 at P ends in: F - 1, with
// F = (P + 200) / 50.
std::vector<int32_t> celle_stazione(int32_t p) { return {(p + 200) / 50 - 1}; }

std::vector<int32_t> celle_punto(int32_t p) { return {cella(p)}; }

// Places elements from `primo` every `passo` metres up to `ultimo`, each
// moved forward 50 m at a time until its cells are free; at most `massimo`.
template <typename Celle>
std::vector<int32_t> piazza(occupazione& o, int32_t primo, int32_t passo, int32_t ultimo, int32_t massimo,
                            Celle celle) {
  std::vector<int32_t> posizioni;
  for (int32_t p = primo; p <= ultimo && static_cast<int32_t>(posizioni.size()) < massimo; p += passo) {
    int32_t q = p;
    while (q <= ultimo && !o.libere(celle(q))) q += 50;
    if (q > ultimo) break;
    o.prendi(celle(q));
    posizioni.push_back(q);
  }
  return posizioni;
}

struct testo {
  std::string s;
  void riga(const std::string& r) {
    s += r;
    s += "\r\n";
  }
};

std::string n(int64_t v) { return std::to_string(v); }

}  // namespace

scenario_sintetico genera_scenario(int32_t km) {
  scenario_sintetico sc;
  const int32_t lunghezza = km * 1000;
  sc.lunghezza = lunghezza;
  const int32_t ultima_cella = (lunghezza + 7000) / 50;
  const int32_t ultimo = lunghezza - 500;  // last position of an element

  // Point elements first, the widest first.
  occupazione o(ultima_cella);
  const std::vector<int32_t> rallentamenti = piazza(o, 7250, 20000, ultimo, 1 << 30, celle_rallentamento);
  const std::vector<int32_t> stazioni =
      piazza(o, 2500, std::max(5000, a_500(lunghezza / massimo_stazioni)), ultimo, massimo_stazioni, celle_stazione);
  const std::vector<int32_t> indicatori = piazza(o, 4000, 10000, ultimo, 1 << 30, celle_punto);
  const std::vector<int32_t> segnali = piazza(o, 1500, 1500, ultimo, 1 << 30, celle_punto);
  const std::vector<int32_t> cartelli =
      piazza(o, 1000, std::max(2000, a_500(lunghezza / massimo_cartelli)), ultimo, massimo_cartelli, celle_punto);

  // ---- Line source.
  testo l;
  l.riga("[generale]");
  l.riga("lunghezza percorso,    " + n(lunghezza));
  l.riga("progressiva chilometrica uno,    0,    150300,    1");
  l.riga("progressiva chilometrica due,    0,    0,    0");
  l.riga("progressiva chilometrica tre,    0,    0,    0");
  l.riga("sfondo uno,    0");
  l.riga("sfondo due,    0");
  l.riga("sfondo tre,    1");
  l.riga("ripetizione segnali 4 codici,    0,    " + n(lunghezza));
  l.riga("[curve]");
  // Left and right curves of the same class in turn, so the heading swings
  // back and the plan stays a winding line rather than a circle.
  static const char* classi = "2345";
  for (int32_t k = 0; 500 * k + 100 + 200 <= ultimo; ++k) {
    const char lato = k % 2 == 0 ? 's' : 'd';
    const char classe = classi[(k / 2) % 4];
    l.riga(std::string("curva") + lato + classe + ",  " + n(500 * k + 100) + ",  200");
    ++sc.curve;
  }
  l.riga("[pendenze]");
  static const int pendenze[] = {0, -4, 2, 5, -3, 1, -1, 3};
  for (int32_t k = 0; 500 * k <= ultimo; ++k) {
    l.riga("pendenza,  " + n(500 * k) + ",   " + n(pendenze[k % 8]));
    ++sc.pendenze;
  }
  l.riga("[montagne]");
  l.riga("[cartelli]");
  for (int32_t p : indicatori) {
    l.riga("indicatori_vmax,  " + n(p) + ",  140,  150,  150,  0,  140,  150,  150,  0");
    ++sc.indicatori;
  }
  l.riga("[indicazioni]");
  for (int32_t p : cartelli) {
    l.riga("cartello_indicatore,  " + n(p) + ",   (P.L.       )(Km. " + n(150 + p / 1000) + "." +
           n(100 + p % 1000 / 10) + ")");
    ++sc.cartelli;
  }
  l.riga("[fine]");
  sc.linea = std::move(l.s);

  // ---- Train source.
  testo t;
  t.riga("[generale]");
  t.riga("numero vetture,    6");
  t.riga("percentuale massa frenata,    120");
  t.riga("sabbia,    300");
  t.riga("orologio,    15              28            20 ");
  t.riga("[aderenze]");
  for (int32_t p = 0; p <= ultimo; p += 25000) t.riga("aderenza,   " + n(p) + ",    " + n(p % 50000 == 0 ? 75 : 60));
  t.riga("[vel_limite]");
  static const int velocita[] = {100, 150, 120, 140};
  for (int32_t k = 0; 5000 * k <= ultimo; ++k) {
    t.riga("velocita,   " + n(5000 * k) + ",   " + n(velocita[k % 4]));
    ++sc.velocita;
  }
  t.riga("[stazioni]");
  static const char* nomi[] = {"Borgo", "Colle", "Pieve", "Rocca", "Villa", "Ponte", "Castel", "Poggio"};
  for (size_t k = 0; k < stazioni.size(); ++k) {
    const bool prima = k == 0;
    t.riga("stazione,   " + n(stazioni[k]) + ", 12,  400,  " + (prima ? "1" : "0") + ", 0, 0,  1,1,0,  4,1,1,   " +
           (prima ? "1,  15,29, 0, " : "0,   0, 0, 0, ") + nomi[k % 8] + " " + n(static_cast<int64_t>(k) + 1));
    ++sc.stazioni;
  }
  t.riga("[rallentamenti]");
  for (int32_t x : rallentamenti) {
    t.riga("rallentamento,   " + n(x) + ",    70,  350, 0,  1,  0");
    ++sc.rallentamenti;
  }
  t.riga("[segnali]");
  for (size_t k = 0; k < segnali.size(); ++k) {
    t.riga("segnale,   " + n(segnali[k]) + (k % 2 == 0 ? ",   2, 4, 1,  0, 0,    2,  2,1,0, 0"
                                                     : ",   1, 4, 1,  0, 0,    1,  3,1,0, 0"));
    ++sc.segnali;
  }
  t.riga("[codici]");
  t.riga("[fine]");
  sc.treno = std::move(t.s);
  return sc;
}

}  // namespace compattatore
