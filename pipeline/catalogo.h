// The words of every message, in Italian and in English, and the one place
// a diagnostic becomes a line of text. Only the edge (app/, tools/) renders:
// the core hands over ids and arguments.
//
// Each message's text writes its arguments as {1}, {2}, ...; both languages
// of one message use the same arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/diagnostica.h"
#include "model/messaggi.h"

namespace compattatore {

enum class lingua : uint8_t { italiano, inglese };

// Returns the language of the messages, from the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty: inglese when its language
// part is "en" ("en", "en_GB.UTF-8", "en@..."), italiano otherwise (also
// when none is set, and for "C" and "POSIX").
lingua lingua_da_ambiente();

// Returns the text of `id` in `l` with {1}, {2}, ... replaced by the
// arguments, as given (a missing argument leaves its "{n}" in place).
std::string rendi(id_messaggio id, const std::vector<std::string>& argomenti, lingua l);

// Returns rendi in the language of the environment (lingua_da_ambiente).
std::string rendi(id_messaggio id, const std::vector<std::string>& argomenti = {});

// Returns the short name of a warning (shown as [-WNAME]); "" when `id` is
// not a warning.
std::string_view nome_avviso(id_messaggio id);

// Returns the text of `id` in `l` with its {n} placeholders, or "" for a
// value that is no id of the catalogue. For tests and tools that list
// messages.
std::string_view testo_catalogo(id_messaggio id, lingua l);

// Returns true when `id` is an id of the catalogue.
bool nel_catalogo(id_messaggio id);

// Returns the words of `d` alone: its message with its arguments (control
// bytes written \n, \r, \t or \xNN, so a line stays one line), and {@}
// filled with the second place it names, `altro_file`:LINE.
std::string messaggio_di(const diagnostica& d, lingua l, std::string_view altro_file = {});

// Returns the diagnostic as one line, without a line end: the one place a
// diagnostic of either program or tool becomes text. `file` names the
// source of d.fonte ("" = none), `altro_file` that of d.altra_fonte.
//   errors:   "FILE:LINE:COLUMN: errore N: MESSAGE (posizione P m)"
//   warnings: "FILE:LINE:COLUMN: avviso: MESSAGE [-WNAME]"
//   notes:    "FILE:LINE:COLUMN: nota: MESSAGE"
// (English: "error N:", "(position P m)", "warning:", "note:"). The file
// part is left out when `file` is empty, the line when it is 0, the column
// when it is 0, the number of an error that stores no code, the position
// where none is set.
std::string formatta(const diagnostica& d, std::string_view file, lingua l, std::string_view altro_file = {});

}  // namespace compattatore
