#include "output/codici_gara.h"

#include <string>

namespace compattatore {
namespace {

constexpr std::string_view riempitivo = "aabbccddeeffgghhiillmmnnoo";

// Lower case for ASCII letters and for the letters of code page 1252 that
// have a lower-case form one row below (0xC0..0xDE but 0xD7) plus the three
// that sit elsewhere (0x8A, 0x8C, 0x8E, 0x9F). Keys are ASCII in practice.
unsigned char minuscola(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
  if (c == 0x9F) return 0xFF;
  return c;
}

// The first 25 character codes of W.
std::string venticinque(const modello& m) {
  std::string w = m.tabella[voce_treno].nome + m.tabella[voce_linea].nome;
  for (char& c : w) c = static_cast<char>(minuscola(static_cast<unsigned char>(c)));
  w += riempitivo;
  return w.substr(0, 25);
}

}  // namespace

int16_t codice_gara_og(const modello& m) {
  int32_t somma = 0;
  for (unsigned char c : venticinque(m)) somma += c;
  return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const modello& m) {
  int32_t somma = 0;
  std::string w = venticinque(m);
  for (size_t i = 0; i < w.size(); ++i) somma += static_cast<int32_t>(i + 1) * static_cast<unsigned char>(w[i]);
  return somma;
}

}  // namespace compattatore
