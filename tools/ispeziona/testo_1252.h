// Names in the compiled files are code page 1252 bytes; a terminal and the
// page want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace compattatore::ispeziona {

// Returns `byte` read as code page 1252, in UTF-8. The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD, the
// replacement character: they name no letter, and as C1 controls they would
// be invisible or disruptive on a terminal and in a page.
std::string utf8_da_1252(std::string_view byte);

// Returns `byte` as code page 1252 read into HTML text: UTF-8 with & < > " '
// written as entities.
std::string html_da_1252(std::string_view byte);

// Returns UTF-8 `testo` with & < > " ' written as entities.
std::string html_escape(std::string_view testo);

}  // namespace compattatore::ispeziona
