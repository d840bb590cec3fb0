// What the line reader and the train reader share: how a record ends, the
// skipping of comment fields, and the fill of a per-cell value from a
// cursor up to the next record.
#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/lettore_campi.h"
#include "compiler/parole.h"
#include "model/modello.h"

namespace compattatore {

// How a record ends.
enum class esito {
  avanti,     // go on with the next field
  fine_fase,  // a failed range test (code 15): the phase ends as at the end of its text
  uscita,     // failure exit: the code is stored, the phase and its end steps stop here
};

// Skips comment fields (those holding "-") before a keyword field: while
// `chiave` (the field just read) is a comment and fewer than `quanti` were
// skipped, `leggi_chiave` reads the next field into it. The field after
// `quanti` comments is tested whatever it holds. With `prova_fine`, returns
// false as soon as a field read is the last of the text (the reader ends
// as at the end of its text, the field untested); without it the end is
// not tested here, so a run of comments that ends the text makes the next
// read fail.
template <typename Leggi>
bool salta_commenti(const lettore_campi& campi, const std::string_view& chiave, int quanti, bool prova_fine,
                    Leggi leggi_chiave) {
  for (int n = 0; n < quanti && contiene_esatto(chiave, "-"); ++n) {
    leggi_chiave();
    if (prova_fine && campi.alla_fine()) return false;
  }
  return true;
}

// What a fill does at a cell above its limit.
enum class oltre_limite {
  ferma,  // the fill stops there; the cursor stays on that cell
  salta,  // nothing is written there; the cursor moves on
};

// Writes a per-cell value from `cursore` on, at least one cell, while the
// cursor is below `fino`: `scrivi(cella&)` on each cell of the route up to
// `limite`. The limits differ on purpose between the values a reader fills
// (gradient, speed, adhesion): each call names its own.
template <typename Scrivi>
void riempi_da_cursore(modello& m, int64_t& cursore, int64_t fino, int64_t limite, oltre_limite oltre,
                       Scrivi scrivi) {
  do {
    cella* c = cursore <= limite ? cella_a(m, cursore) : nullptr;
    if (c != nullptr) {
      scrivi(*c);
    } else if (oltre == oltre_limite::ferma) {
      return;
    }
    ++cursore;
  } while (cursore < fino);
}

}  // namespace compattatore
