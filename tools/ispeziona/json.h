// The JSON object of `ispeziona --json`, for the files given (at most one of
// each role):
//   {"file":[{"nome":"...","ruolo":"percorso"},...],
//    "celle":[{"cella":K,"tipo":T,"dato1":..,"dato2":..,"dato3":..,"dato4":..,
//              "tempo":..,"marca":..,"montagna":..,"velocita":..,
//              "pendenza":..,"aderenza":..},...] | null,
//    "voci":[{"indice":I,"tipo":T,"nome":"...","inizio":..,...,"orario":..},...] | null,
//    "punti":N | null}
// followed by a line end. `celle` lists the cells whose kind is not 0,
// `voci` the entries in use, `punti` the metres of the plan; null where no
// file of that role was given. Every string is pure ASCII: each byte from
// 0x7F up is written as \u007f..\u00ff, like every control byte, so a reader
// gets the exact bytes of a name back.
#pragma once

#include <string>
#include <vector>

#include "tools/ispeziona/contenuto.h"

namespace compattatore::ispeziona {

std::string oggetto_json(const std::vector<file_letto>& files);

}  // namespace compattatore::ispeziona
