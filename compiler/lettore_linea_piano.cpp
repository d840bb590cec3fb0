#include "compiler/lettore_linea_piano.h"

#include "compiler/parole.h"

namespace compattatore {

planimetria piano_vuoto(int32_t ultimo) {
  planimetria p;
  p.dimensionata = true;
  p.ultimo = ultimo;
  p.x.assign(static_cast<size_t>(ultimo) + 1, 0.0);
  p.y.assign(static_cast<size_t>(ultimo) + 1, 0.0);
  return p;
}

void piano_origine(planimetria& p) {
  p.origine = true;
  p.x[0] = 0.0;
  p.y[0] = 0.0;
  if (p.ultimo >= 1) {
    p.x[1] = 0.0;
    p.y[1] = 1.0;
  }
  p.calcolati = 2;
}

std::optional<double> curvatura_di(std::string_view riga) {
  static constexpr struct {
    char cifra;
    double k;
  } classi[] = {{'1', 0.0001}, {'2', 0.0002}, {'3', 0.0004}, {'4', 0.001}, {'5', 0.002}, {'6', 0.003}};
  for (const auto& c : classi) {
    if (riga.find(c.cifra) == std::string_view::npos) continue;
    return contiene(riga, "s") ? -c.k : c.k;
  }
  return std::nullopt;
}

bool traccia_fino_a(planimetria& p, int64_t fino, double k) {
  while (p.calcolati <= fino) {
    const size_t i = static_cast<size_t>(p.calcolati);
    // Written as the step is defined, left to right: the build keeps every
    // operation separate (no fused multiply-add), so the points come out the
    // same to the last bit on every machine.
    const double dx = p.x[i - 1] - p.x[i - 2];
    const double dy = p.y[i - 1] - p.y[i - 2];
    p.x[i] = p.x[i - 1] + dx + k * dy;
    p.y[i] = p.y[i - 1] + dy - k * dx;
    p.calcolati += 1;
    if (p.calcolati > limite_punti_piano) return false;
  }
  return true;
}

}  // namespace compattatore
