// A window's picture as `xwd -silent` writes it (a ZPixmap of a true-colour
// window), read into 8-bit RGB, and written back out as a PNG for a person
// to look at. The PNG is made with stored (uncompressed) deflate blocks, so
// it needs no library.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace schermata {

struct immagine {
  int larghezza = 0, altezza = 0;
  std::vector<std::array<uint8_t, 3>> pixel;  // row by row
  const std::array<uint8_t, 3>& at(int x, int y) const { return pixel[static_cast<size_t>(y * larghezza + x)]; }
};

// Reads an XWD dump. Returns an empty picture (larghezza 0) when the data is
// not a ZPixmap of 24 or 32 bits per pixel.
inline immagine leggi_xwd(const std::string& b) {
  auto u32 = [&](size_t o) -> uint32_t {
    if (o + 4 > b.size()) return 0;
    return uint32_t(uint8_t(b[o])) << 24 | uint32_t(uint8_t(b[o + 1])) << 16 | uint32_t(uint8_t(b[o + 2])) << 8 |
           uint32_t(uint8_t(b[o + 3]));
  };
  immagine im;
  const uint32_t testata = u32(0), formato = u32(8), larghezza = u32(16), altezza = u32(20), ordine = u32(28),
                 bit = u32(44), riga = u32(48), rosso = u32(56), verde = u32(60), blu = u32(64), colori = u32(76);
  if (formato != 2 || (bit != 32 && bit != 24) || larghezza == 0 || altezza == 0) return im;
  const size_t dati = testata + 12 * size_t(colori);
  if (dati + size_t(riga) * altezza > b.size()) return im;
  auto canale = [](uint32_t v, uint32_t maschera) -> uint8_t {
    if (!maschera) return 0;
    while (!(maschera & 1)) maschera >>= 1, v >>= 1;
    return uint8_t((v & maschera) * 255 / maschera);
  };
  im.larghezza = int(larghezza);
  im.altezza = int(altezza);
  for (uint32_t y = 0; y < altezza; ++y)
    for (uint32_t x = 0; x < larghezza; ++x) {
      size_t o = dati + size_t(y) * riga + size_t(x) * (bit / 8);
      uint32_t v = 0;
      for (uint32_t k = 0; k < bit / 8; ++k) {
        uint32_t byte = uint8_t(b[o + k]);
        v |= ordine == 0 ? byte << (8 * k) : byte << (8 * (bit / 8 - 1 - k));  // 0: LSBFirst
      }
      im.pixel.push_back({canale(v, rosso), canale(v, verde), canale(v, blu)});
    }
  return im;
}

// Writes `im` as an 8-bit RGB PNG. Returns false when the file cannot be written.
inline bool scrivi_png(const std::string& percorso, const immagine& im) {
  std::vector<uint32_t> tabella(256);
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
    tabella[n] = c;
  }
  auto crc = [&](const std::string& s) {
    uint32_t c = 0xffffffffu;
    for (unsigned char ch : s) c = tabella[(c ^ ch) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
  };
  auto be32 = [](uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  auto blocco = [&](const std::string& tipo, const std::string& dati) {
    return be32(uint32_t(dati.size())) + tipo + dati + be32(crc(tipo + dati));
  };
  std::string grezzi;
  for (int y = 0; y < im.altezza; ++y) {
    grezzi += '\0';  // filter: none
    for (int x = 0; x < im.larghezza; ++x)
      for (uint8_t c : im.at(x, y)) grezzi += char(c);
  }
  std::string z = "\x78\x01";
  for (size_t i = 0; i < grezzi.size() || i == 0; i += 65535) {
    size_t n = std::min<size_t>(65535, grezzi.size() - i);
    bool ultimo = i + n >= grezzi.size();
    z += char(ultimo ? 1 : 0);
    z += char(n & 0xff);
    z += char(n >> 8);
    z += char(~n & 0xff);
    z += char((~n >> 8) & 0xff);
    z += grezzi.substr(i, n);
  }
  uint32_t a = 1, b2 = 0;
  for (unsigned char ch : grezzi) a = (a + ch) % 65521, b2 = (b2 + a) % 65521;
  z += be32(b2 << 16 | a);
  std::string testata = be32(uint32_t(im.larghezza)) + be32(uint32_t(im.altezza)) + std::string("\x08\x02\0\0\0", 5);
  std::ofstream out(percorso, std::ios::binary | std::ios::trunc);
  out << std::string("\x89PNG\r\n\x1a\n", 8) << blocco("IHDR", testata) << blocco("IDAT", z) << blocco("IEND", "");
  return bool(out);
}

}  // namespace schermata
