#include "pipeline/testo_sicuro.h"

namespace compattatore {

std::string testo_sicuro(std::string_view testo) {
  static const char esadecimali[] = "0123456789abcdef";
  std::string s;
  s.reserve(testo.size());
  for (char ch : testo) {
    const unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\n': s += "\\n"; break;
      case '\r': s += "\\r"; break;
      case '\t': s += "\\t"; break;
      case '\\': s += "\\\\"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          s += "\\x";
          s += esadecimali[c >> 4];
          s += esadecimali[c & 0xF];
        } else {
          s += ch;
        }
    }
  }
  return s;
}

std::string abbrevia(std::string_view testo, size_t massimo) {
  if (testo.size() <= massimo) return std::string(testo);
  return std::string(testo.substr(0, massimo)) + "... (" + std::to_string(testo.size()) + " byte)";
}

}  // namespace compattatore
