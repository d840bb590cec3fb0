// The field reader shared by both source readers. It cuts a source text in
// memory into fields: a field ends at a comma or a line end (CR LF, LF or
// CR), blanks and empty lines before a field are skipped, and a number also
// ends at a blank, so one field may hold several numbers.
//
// A read that cannot be done (the text has ended, a value that is not a
// number or does not fit its width) throws fallimento_lettura: the readers
// turn it into the unexpected failure, code 25.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/modello.h"

namespace compattatore {

struct fallimento_lettura : std::runtime_error {
  fallimento_lettura(motivo_fallimento m, int32_t r)
      : std::runtime_error("fallimento di lettura"), motivo(m), riga(r) {}
  motivo_fallimento motivo;
  int32_t riga;  // 1-based line of the failed read, 0 = none
};

class lettore_campi {
 public:
  explicit lettore_campi(std::string_view testo) : testo_(testo) {}

  // Returns true when no field is left after the one just read.
  bool alla_fine() const;

  // Reads the next field as text: from its first non-blank character to the
  // next comma or line end. Trailing blanks are not part of the value.
  // Throws when no field is left.
  std::string_view testo();

  // Reads a text value that is stored in tabella (a sign text, a station
  // name): as testo(), and throws when it is longer than the 65535 bytes
  // that its 16-bit count in the table file can hold.
  std::string_view nome();

  // Read the next number into a signed 32-bit, signed 16-bit or unsigned
  // 8-bit value. Throw when the text has ended, the field is not a number or
  // the value does not fit.
  int32_t numero32();
  int16_t numero16();
  uint8_t numero8();

  // The 1-based line of the last field read (0 before any read).
  int32_t riga_ultimo_campo() const { return riga_campo_; }
  // The 1-based column, in bytes, where the last field read began (0 before
  // any read). Only reports use it.
  int32_t colonna_ultimo_campo() const { return colonna_campo_; }

 private:
  int64_t numero(int64_t minimo, int64_t massimo, motivo_fallimento fuori);
  void salta_vuoti();           // blanks and line ends before a field
  void salta_blank();           // blanks only
  void consuma_separatore();    // one comma or one line end, if there
  [[noreturn]] void fallisci(motivo_fallimento m) const;

  std::string_view testo_;
  size_t pos_ = 0;
  int32_t riga_ = 1;       // line at pos_
  int32_t riga_campo_ = 0;
  size_t inizio_riga_ = 0;  // offset where the line at pos_ begins
  int32_t colonna_campo_ = 0;
};

}  // namespace compattatore
