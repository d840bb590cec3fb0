// The built-in scenario's text files: the two sources and the three driver
// documents, each returned as the exact bytes of the file (code page 1252,
// CR LF after every line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

std::string dati_linea();          // the line source
std::string dati_treno();          // the train source
std::string dati_note();           // the notes
std::string dati_rallentamenti();  // the slow-down order
std::string dati_scheda();         // the timetable sheet

// Marks the end of a writer's line table; it is never written.
inline constexpr std::string_view marcatore_fine = "riferimento fine del file";

// Returns the lines of `tabella` from entry 0, each followed by CR LF, up to
// (not including) the first entry equal to the end marker. A table holds at
// most 1001 entries, so a text has at most 1000 lines.
std::string scrivi_righe(const std::vector<std::string>& tabella);

}  // namespace compattatore
