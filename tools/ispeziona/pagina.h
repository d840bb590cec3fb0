// The page of `ispeziona --html`: one self-contained HTML file (inline SVG
// and CSS, no script, nothing fetched) for the files of one scenario: the
// track plan with stations, signals and sign boards along it; under it, on
// one kilometre axis, the gradient, speed and adhesion profiles; the tables
// of stations and elements.
#pragma once

#include <string>
#include <vector>

#include "tools/ispeziona/contenuto.h"
#include "tools/ispeziona/parole.h"

namespace compattatore::ispeziona {

// Returns the page, UTF-8. Any of the three files may be missing: its parts
// say so instead.
std::string pagina_html(const std::vector<file_letto>& files, lingua l);

}  // namespace compattatore::ispeziona
