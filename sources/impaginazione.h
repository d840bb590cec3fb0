// Small text helpers for the built-in texts: padding to a column width and
// the upper-case form of a place name.
#pragma once

#include <string>
#include <string_view>

namespace compattatore {

// Returns `testo` followed by blanks up to `larghezza` characters. A longer
// text is returned whole: a table line that grows is caught by the line-length
// tests, while a cut name would pass unnoticed.
std::string a_sinistra(std::string_view testo, size_t larghezza);

// Returns `testo` preceded by blanks up to `larghezza` characters; a longer
// text is returned whole, as above.
std::string a_destra(std::string_view testo, size_t larghezza);

// Returns `nome` (code page 1252) in upper case as the built-in texts print
// it: ASCII letters are raised, and "\xE8" (e grave) becomes "E'", since the
// timetable sheet and the slow-down order hold only ASCII and write an accent
// as a following apostrophe. Every other byte is kept.
std::string maiuscolo(std::string_view nome);

}  // namespace compattatore
