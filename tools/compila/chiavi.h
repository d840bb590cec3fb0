// The route key and the train key of a compile, from the options or from
// the names of the two sources:
//   line source   KEY_linea.txt          -> route key KEY
//   train source  ROUTEKEY_TRAINKEY-.txt -> train key TRAINKEY, where
//                 ROUTEKEY must be the route key (so a route key holding
//                 "_", like Valmora_Tessa, splits in the right place).
#pragma once

#include <string>
#include <string_view>

#include "tools/compila/argomenti.h"

namespace compattatore {

struct chiavi {
  std::string linea;  // nome_linea, the route key
  std::string treno;  // nome_treno, the train key
};

struct esito_chiavi {
  bool valide = false;
  chiavi k;
  std::string errore;  // when not valide: the reason, one line
};

// Returns the part of `percorso` after its last "/".
std::string_view nome_base(std::string_view percorso);

// Returns the folder part of `percorso`: "" when it has no "/", "/" for a
// file in the root folder.
std::string cartella_di(std::string_view percorso);

// Returns the keys: each one from its option when given, else from the
// source names (the route key first, since the train name needs it).
// A key must be 1 to 65535 bytes (the table file counts a name in 16 bits)
// and may not hold "/" (it would put the compiled files in another folder)
// nor a control byte (0x00 to 0x1F, 0x7F).
esito_chiavi chiavi_di(const opzioni_compila& o);

}  // namespace compattatore
