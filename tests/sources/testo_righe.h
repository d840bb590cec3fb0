// Helpers for the tests of the built-in texts: cut a written text into its
// lines and a sign text into its groups.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace compattatore::prova {

struct righe_testo {
  std::vector<std::string> righe;
  bool chiuse_crlf = true;  // every line, the last too, ends with CR LF and holds no other CR or LF
};

// Returns the lines of `testo`. A text that does not end with CR LF, or holds
// a CR or an LF outside a CR LF pair, is marked as not well closed.
inline righe_testo righe_di(std::string_view testo) {
  righe_testo r;
  size_t inizio = 0;
  while (inizio < testo.size()) {
    size_t fine = testo.find("\r\n", inizio);
    if (fine == std::string_view::npos) {
      r.chiuse_crlf = false;
      fine = testo.size();
    }
    std::string riga(testo.substr(inizio, fine - inizio));
    if (riga.find_first_of("\r\n") != std::string::npos) r.chiuse_crlf = false;
    r.righe.push_back(riga);
    inizio = fine + 2;
  }
  return r;
}

// Returns the groups of a sign text "(...)(...)", without parentheses; an
// empty list when the text is not made of such groups alone.
inline std::vector<std::string> gruppi_di(std::string_view testo) {
  std::vector<std::string> gruppi;
  size_t i = 0;
  while (i < testo.size()) {
    if (testo[i] != '(') return {};
    size_t chiusa = testo.find(')', i);
    if (chiusa == std::string_view::npos) return {};
    gruppi.emplace_back(testo.substr(i + 1, chiusa - i - 1));
    i = chiusa + 1;
  }
  return gruppi;
}

inline bool tutte(std::string_view s, bool (*prova)(char)) {
  for (char c : s)
    if (!prova(c)) return false;
  return !s.empty();
}
inline bool maiuscola(char c) { return c >= 'A' && c <= 'Z'; }
inline bool minuscola(char c) { return c >= 'a' && c <= 'z'; }

// Returns true when `s` is one capitalised word of ASCII letters, or of
// letters ending in "\xE8" when `accento_finale` allows it.
inline bool capitalizzata(std::string_view s, bool accento_finale = false) {
  if (s.size() < 2 || !maiuscola(s[0])) return false;
  std::string_view resto = s.substr(1);
  if (accento_finale && resto.back() == '\xE8') resto.remove_suffix(1);
  return resto.empty() || tutte(resto, minuscola);
}

// Returns true when `s` is one or more capitalised words separated by single
// blanks.
inline bool parole_capitalizzate(std::string_view s) {
  size_t inizio = 0;
  while (true) {
    size_t spazio = s.find(' ', inizio);
    if (!capitalizzata(s.substr(inizio, spazio - inizio))) return false;
    if (spazio == std::string_view::npos) return true;
    inizio = spazio + 1;
  }
}

// Returns true when every byte of `s` is 7-bit ASCII.
inline bool solo_ascii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Returns the part of `s` after `prefisso`, or "" when `s` does not start
// with it.
inline std::string dopo(std::string_view s, std::string_view prefisso) {
  if (s.substr(0, prefisso.size()) != prefisso) return {};
  return std::string(s.substr(prefisso.size()));
}

}  // namespace compattatore::prova
