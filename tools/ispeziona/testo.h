// The text report of `ispeziona`: one section per file, in the order given.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "tools/ispeziona/contenuto.h"
#include "tools/ispeziona/parole.h"

namespace compattatore::ispeziona {

// The labelled values of the element in cell `c`, its kind's name first.
// Names of stations and signs come from `tabella` when given, in UTF-8.
struct elemento_descritto {
  std::string_view tipo;
  std::vector<std::pair<std::string_view, std::string>> valori;
};
elemento_descritto descrivi_elemento(const cella& c, lingua l, const std::array<voce, voci_tabella>* tabella);

// Returns "hh:mm:ss" of a time of day in seconds.
std::string ora(int64_t secondi);

// Returns the report of `files`; the table, when one of them is a table
// file, names the stations and signs of the route.
std::string rapporto_testo(const std::vector<file_letto>& files, lingua l);

}  // namespace compattatore::ispeziona
