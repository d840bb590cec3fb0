#include "tools/ispeziona/json.h"

#include <nlohmann/json.hpp>

namespace compattatore::ispeziona {
namespace {

using json = nlohmann::ordered_json;

// Each byte becomes the code point of the same number, in UTF-8, so that
// the library's ASCII output writes every byte from 0x80 up as \u0080 to
// \u00ff.
std::string come_punti_codice(const std::string& byte) {
  std::string s;
  for (char ch : byte) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      s += ch;
    } else {
      s += static_cast<char>(0xC0 | (b >> 6));
      s += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return s;
}

// The library writes 0x08 and 0x0C as \b and \f and leaves 0x7F as it is;
// the project's rule writes all three as \u00XX. Outside strings the output
// holds none of them.
std::string alla_regola(const std::string& uscita) {
  std::string s;
  s.reserve(uscita.size());
  for (size_t i = 0; i < uscita.size(); ++i) {
    const char c = uscita[i];
    if (c == '\\' && i + 1 < uscita.size()) {
      const char dopo = uscita[++i];
      if (dopo == 'b') {
        s += "\\u0008";
      } else if (dopo == 'f') {
        s += "\\u000c";
      } else {
        s += c;
        s += dopo;
      }
    } else if (c == '\x7F') {
      s += "\\u007f";
    } else {
      s += c;
    }
  }
  return s;
}

}  // namespace

std::string oggetto_json(const std::vector<file_letto>& files) {
  json o;
  o["file"] = json::array();
  for (const file_letto& f : files) {
    o["file"].push_back({{"nome", come_punti_codice(f.nome)}, {"ruolo", std::string(parola_del_ruolo(f.r))}});
  }
  o["celle"] = nullptr;
  o["voci"] = nullptr;
  o["punti"] = nullptr;
  for (const file_letto& f : files) {
    if (f.celle) {
      json celle = json::array();
      for (size_t k = 0; k < f.celle->size(); ++k) {
        const cella& c = (*f.celle)[k];
        if (c.tipo == 0) continue;
        celle.push_back({{"cella", k},          {"tipo", c.tipo},         {"dato1", c.dato1},
                         {"dato2", c.dato2},    {"dato3", c.dato3},       {"dato4", c.dato4},
                         {"tempo", c.tempo},    {"marca", c.marca},       {"montagna", c.montagna},
                         {"velocita", c.velocita}, {"pendenza", c.pendenza}, {"aderenza", c.aderenza}});
      }
      o["celle"] = std::move(celle);
    }
    if (f.voci) {
      json voci = json::array();
      for (size_t i = 0; i < f.voci->size(); ++i) {
        const voce& v = (*f.voci)[i];
        if (!in_uso(v)) continue;
        voci.push_back({{"indice", i},           {"tipo", v.tipo},         {"nome", come_punti_codice(v.nome)},
                        {"inizio", v.inizio},    {"fine", v.fine},         {"posizione", v.posizione},
                        {"byte1", v.byte1},      {"intero1", v.intero1},   {"intero2", v.intero2},
                        {"intero3", v.intero3},  {"intero4", v.intero4},   {"intero5", v.intero5},
                        {"byte2", v.byte2},      {"byte3", v.byte3},       {"byte4", v.byte4},
                        {"byte5", v.byte5},      {"orario", v.orario}});
      }
      o["voci"] = std::move(voci);
    }
    if (f.punti) o["punti"] = f.punti->x.size();
  }
  return alla_regola(o.dump(-1, ' ', true)) + "\n";
}

}  // namespace compattatore::ispeziona
