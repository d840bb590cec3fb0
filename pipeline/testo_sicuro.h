// Text from outside (file names, keys, source text) made safe to print in a
// diagnostic line: a name holding a line end must not start a line of its
// own that reads like another diagnostic.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace compattatore {

// Returns `testo` with every control byte (0x00 to 0x1F and 0x7F) written
// as an escape: "\n", "\r", "\t", or "\xNN" with two lower-case hex digits;
// a backslash is doubled, so the escaped text reads back unambiguously.
// Bytes from 0x80 up are kept: they are the code-page-1252 letters of names.
std::string testo_sicuro(std::string_view testo);

// Returns `testo` when it has at most `massimo` bytes, else its first
// `massimo` bytes followed by "... (N byte)", N its whole length: a name of
// 65 KB is named, not echoed.
std::string abbrevia(std::string_view testo, size_t massimo);

}  // namespace compattatore
