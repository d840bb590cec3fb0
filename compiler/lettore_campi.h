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

#include "model/errori.h"
#include "model/modello.h"

namespace compattatore {

struct fallimento_lettura : std::runtime_error {
  fallimento_lettura(motivo_fallimento m, luogo_testo l)
      : std::runtime_error("fallimento di lettura"), motivo(m), dove(l) {}
  motivo_fallimento motivo;
  luogo_testo dove;  // line and column of the field that failed; 0 = none
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
  int32_t riga_ultimo_campo() const { return campo_.riga; }

  // The line and the 1-based column (in bytes) where the last field read
  // begins, after its leading blanks (0, 0 before any read).
  luogo_testo luogo_ultimo_campo() const { return campo_; }

 private:
  int64_t numero(int64_t minimo, int64_t massimo, motivo_fallimento fuori);
  void salta_vuoti();           // blanks and line ends before a field
  void a_capo();                // a line end was just passed
  void inizia_campo();          // the next field begins at pos_
  void salta_blank();           // blanks only
  void consuma_separatore();    // one comma or one line end, if there
  [[noreturn]] void fallisci(motivo_fallimento m) const;

  std::string_view testo_;
  size_t pos_ = 0;
  int32_t riga_ = 1;          // line at pos_
  size_t inizio_riga_ = 0;    // offset where that line begins
  luogo_testo campo_;         // where the last field read begins
};

}  // namespace compattatore
