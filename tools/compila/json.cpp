#include "tools/compila/json.h"

namespace compattatore {
namespace {

void byte_escape(std::string& s, unsigned char c) {
  static const char cifre[] = "0123456789abcdef";
  s += "\\u00";
  s += cifre[c >> 4];
  s += cifre[c & 0xF];
}

}  // namespace

std::string stringa_json(std::string_view testo) {
  std::string s = "\"";
  for (char ch : testo) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': s += "\\\""; break;
      case '\\': s += "\\\\"; break;
      case '\n': s += "\\n"; break;
      case '\r': s += "\\r"; break;
      case '\t': s += "\\t"; break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          byte_escape(s, c);
        } else {
          s += ch;
        }
    }
  }
  s += "\"";
  return s;
}

std::string oggetto_json(const diagnosi& d, const std::vector<std::string>& scritti,
                         const std::vector<avviso_json>& avvisi) {
  std::string s = "{\"codice_errore\":" + std::to_string(d.codice);
  s += ",\"posizione_errore\":" + (d.posizione ? std::to_string(*d.posizione) : std::string("null"));
  s += ",\"file\":" + (d.dove.file.empty() ? std::string("null") : stringa_json(d.dove.file));
  s += ",\"riga\":" +
       (d.dove.file.empty() || d.dove.riga <= 0 ? std::string("null") : std::to_string(d.dove.riga));
  s += ",\"messaggio\":" + (d.codice == 0 ? std::string("null") : stringa_json(d.messaggio));
  s += ",\"scritti\":[";
  for (size_t i = 0; i < scritti.size(); ++i) {
    if (i > 0) s += ",";
    s += stringa_json(scritti[i]);
  }
  s += "],\"avvisi\":[";
  auto numero_o_null = [](int32_t v) { return v > 0 ? std::to_string(v) : std::string("null"); };
  for (size_t i = 0; i < avvisi.size(); ++i) {
    const avviso_json& a = avvisi[i];
    if (i > 0) s += ",";
    s += "{\"file\":" + stringa_json(a.file) + ",\"riga\":" + numero_o_null(a.riga) +
         ",\"colonna\":" + numero_o_null(a.colonna) + ",\"nome\":" + stringa_json(a.nome) +
         ",\"messaggio\":" + stringa_json(a.messaggio) + "}";
  }
  s += "]}\n";
  return s;
}

}  // namespace compattatore
