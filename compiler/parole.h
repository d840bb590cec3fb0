// Keyword tests on source fields: a test passes when the field contains the
// word anywhere. Most words match in any letter case; a few ("progressiva",
// "uno", "due", "tre", "sfondo", "ripetizione", "segnali") only as written.
#pragma once

#include <string_view>

namespace compattatore {

// Returns true when `campo` contains `parola`, ASCII letters compared
// without regard to case. Requires `parola` in lower case.
inline bool contiene(std::string_view campo, std::string_view parola) {
  if (parola.size() > campo.size()) return false;
  for (size_t i = 0; i + parola.size() <= campo.size(); ++i) {
    size_t j = 0;
    for (; j < parola.size(); ++j) {
      char c = campo[i + j];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != parola[j]) break;
    }
    if (j == parola.size()) return true;
  }
  return false;
}

// Returns true when `campo` contains `parola` exactly as written.
inline bool contiene_esatto(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

// A section header contains "[" and "]" and does not begin, after its
// leading blanks, with "-".
inline bool intestazione(std::string_view campo) {
  size_t p = campo.find_first_not_of(" \t");
  if (p != std::string_view::npos && campo[p] == '-') return false;
  return contiene_esatto(campo, "[") && contiene_esatto(campo, "]");
}

}  // namespace compattatore
