#include "compiler/lettore_campi.h"

#include <limits>

namespace compattatore {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool fine_riga(char c) { return c == '\r' || c == '\n'; }

}  // namespace

void lettore_campi::fallisci(motivo_fallimento m) const {
  throw fallimento_lettura(m, campo_);
}

void lettore_campi::a_capo() {
  ++riga_;
  inizio_riga_ = pos_;
}

void lettore_campi::inizia_campo() {
  campo_.riga = riga_;
  campo_.colonna = static_cast<int32_t>(pos_ - inizio_riga_ + 1);
}

void lettore_campi::salta_blank() {
  while (pos_ < testo_.size() && blank(testo_[pos_])) ++pos_;
}

void lettore_campi::salta_vuoti() {
  while (pos_ < testo_.size()) {
    char c = testo_[pos_];
    if (blank(c)) {
      ++pos_;
    } else if (c == '\n' || (c == '\r' && !(pos_ + 1 < testo_.size() && testo_[pos_ + 1] == '\n'))) {
      ++pos_;
      a_capo();
    } else if (c == '\r') {
      ++pos_;  // the CR of CR LF; the LF counts the line
    } else {
      break;
    }
  }
}

void lettore_campi::consuma_separatore() {
  if (pos_ >= testo_.size()) return;
  char c = testo_[pos_];
  if (c == ',') {
    ++pos_;
  } else if (c == '\r') {
    ++pos_;
    if (pos_ < testo_.size() && testo_[pos_] == '\n') ++pos_;
    a_capo();
  } else if (c == '\n') {
    ++pos_;
    a_capo();
  }
}

bool lettore_campi::alla_fine() const {
  for (size_t p = pos_; p < testo_.size(); ++p) {
    char c = testo_[p];
    if (!blank(c) && !fine_riga(c)) return false;
  }
  return true;
}

std::string_view lettore_campi::testo() {
  salta_vuoti();
  inizia_campo();
  if (pos_ >= testo_.size()) fallisci(motivo_fallimento::testo_finito);
  size_t inizio = pos_;
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !fine_riga(testo_[pos_])) ++pos_;
  size_t fine = pos_;
  // Blanks before the comma or line end are not part of the value: a name
  // written "RONCO ," is the name "RONCO".
  while (fine > inizio && blank(testo_[fine - 1])) --fine;
  consuma_separatore();
  return testo_.substr(inizio, fine - inizio);
}

std::string_view lettore_campi::nome() {
  std::string_view t = testo();
  if (t.size() > 0xFFFF) fallisci(motivo_fallimento::testo_troppo_lungo);
  return t;
}

int64_t lettore_campi::numero(int64_t minimo, int64_t massimo, motivo_fallimento fuori) {
  salta_vuoti();
  inizia_campo();
  if (pos_ >= testo_.size()) fallisci(motivo_fallimento::testo_finito);
  size_t p = pos_;
  while (p < testo_.size() && testo_[p] != ',' && !fine_riga(testo_[p]) && !blank(testo_[p])) ++p;
  std::string_view cifre = testo_.substr(pos_, p - pos_);
  pos_ = p;

  bool negativo = !cifre.empty() && cifre[0] == '-';
  if (negativo) cifre.remove_prefix(1);
  if (cifre.empty()) fallisci(motivo_fallimento::non_numero);
  int64_t valore = 0;
  bool troppo = false;
  for (char c : cifre) {
    if (c < '0' || c > '9') fallisci(motivo_fallimento::non_numero);
    if (valore > (int64_t{1} << 40)) troppo = true;  // already far beyond 32 bits
    else valore = valore * 10 + (c - '0');
  }
  if (negativo) valore = -valore;
  if (troppo || valore < minimo || valore > massimo) fallisci(fuori);

  salta_blank();
  if (pos_ < testo_.size() && (testo_[pos_] == ',' || fine_riga(testo_[pos_]))) consuma_separatore();
  return valore;
}

int32_t lettore_campi::numero32() {
  return static_cast<int32_t>(numero(std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max(),
                                     motivo_fallimento::fuori_32_bit));
}

int16_t lettore_campi::numero16() {
  return static_cast<int16_t>(numero(std::numeric_limits<int16_t>::min(),
                                     std::numeric_limits<int16_t>::max(),
                                     motivo_fallimento::fuori_16_bit));
}

uint8_t lettore_campi::numero8() {
  return static_cast<uint8_t>(numero(0, 255, motivo_fallimento::fuori_byte));
}

}  // namespace compattatore
