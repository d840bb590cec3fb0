#include "tools/ispeziona/testo_1252.h"

#include <cstdint>

namespace compattatore::ispeziona {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0xFFFD where the code page has none.
constexpr char32_t speciali[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

void aggiungi_utf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string utf8_da_1252(std::string_view byte) {
  std::string s;
  s.reserve(byte.size() * 2);
  for (char ch : byte) {
    const auto b = static_cast<unsigned char>(ch);
    aggiungi_utf8(s, b >= 0x80 && b < 0xA0 ? speciali[b - 0x80] : char32_t{b});
  }
  return s;
}

std::string html_escape(std::string_view testo) {
  std::string s;
  s.reserve(testo.size());
  for (char c : testo) {
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      case '\'': s += "&#39;"; break;
      default: s += c;
    }
  }
  return s;
}

std::string html_da_1252(std::string_view byte) { return html_escape(utf8_da_1252(byte)); }

}  // namespace compattatore::ispeziona
