#include "compiler/codifica.h"

#include <optional>

namespace compattatore {
namespace {

// Code page 1252 bytes 0x80 to 0x9F and the code points they stand for; 0
// where the byte has no character.
constexpr char32_t alti_1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> byte_1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (alti_1252[i] != 0 && alti_1252[i] == cp) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

// UTF-16 shows as NUL bytes in every other position: at least three
// quarters of the even (or of the odd) bytes of the first 512 are NUL.
bool sembra_utf16(std::string_view t) {
  if (t.size() >= 2) {
    const unsigned char a = static_cast<unsigned char>(t[0]), b = static_cast<unsigned char>(t[1]);
    if ((a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF)) return true;
  }
  const size_t n = std::min<size_t>(t.size(), 512) & ~size_t{1};
  if (n < 4) return false;
  size_t pari = 0, dispari = 0;
  for (size_t i = 0; i < n; i += 2) {
    if (t[i] == '\0') ++pari;
    if (t[i + 1] == '\0') ++dispari;
  }
  const size_t coppie = n / 2;
  return 4 * pari >= 3 * coppie || 4 * dispari >= 3 * coppie;
}

// Decodes one UTF-8 character at `i`; returns its length, 0 when the bytes
// there are not valid UTF-8 (overlong forms and surrogates included).
size_t decodifica(std::string_view t, size_t i, char32_t& cp) {
  const unsigned char c = static_cast<unsigned char>(t[i]);
  size_t n = 0;
  char32_t minimo = 0;
  if (c < 0x80) {
    cp = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    n = 2, cp = c & 0x1F, minimo = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3, cp = c & 0x0F, minimo = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4, cp = c & 0x07, minimo = 0x10000;
  } else {
    return 0;
  }
  if (i + n > t.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    const unsigned char d = static_cast<unsigned char>(t[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (d & 0x3F);
  }
  if (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool utf8_valido(std::string_view t) {
  char32_t cp = 0;
  for (size_t i = 0; i < t.size();) {
    const size_t n = decodifica(t, i, cp);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

bool solo_ascii(std::string_view t) {
  for (char c : t)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

rilievo trovato(livello_rilievo l, id_messaggio id, sorgente fonte, int32_t riga, int32_t colonna,
                std::vector<std::string> argomenti = {}) {
  rilievo r;
  r.livello = l;
  r.fonte = fonte;
  r.riga = riga;
  r.colonna = colonna;
  r.messaggio = id;
  r.argomenti = std::move(argomenti);
  return r;
}

std::string esadecimale(char32_t cp) {
  static const char cifre[] = "0123456789ABCDEF";
  std::string s;
  for (int shift = cp > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) s += cifre[(cp >> shift) & 0xF];
  return s;
}

}  // namespace

testo_convertito in_cp1252(std::string_view testo, codifica c, sorgente fonte) {
  return in_cp1252(std::string(testo), c, fonte);
}

testo_convertito in_cp1252(std::string&& intero, codifica c, sorgente fonte) {
  // A text read byte for byte is handed on as it is, not copied: a large
  // source is held in memory once.
  std::string_view testo = intero;
  testo_convertito out;
  if (sembra_utf16(testo)) {
    out.rilievi.push_back(trovato(livello_rilievo::errore, id_messaggio::verifica_utf16, fonte, 0, 0));
    return out;
  }
  if (c == codifica::cp1252) {
    out.letto = true;
    out.testo = std::move(intero);
    return out;
  }
  const bool bom = testo.starts_with("\xEF\xBB\xBF");
  if (bom) testo.remove_prefix(3);
  const bool valido = utf8_valido(testo);
  if (c == codifica::automatica && (!valido || solo_ascii(testo))) {
    out.letto = true;
    if (bom) intero.erase(0, 3);
    out.testo = std::move(intero);
    return out;
  }

  int32_t riga = 1;
  size_t inizio_riga = 0;  // offset in out.testo where the line begins
  bool riga_cambiata = false;
  auto fine_riga = [&] {
    if (riga_cambiata)
      out.rilievi.push_back(
          trovato(livello_rilievo::nota, id_messaggio::nota_riga_convertita, fonte, riga, 0));
    riga_cambiata = false;
    ++riga;
    inizio_riga = out.testo.size();
  };
  for (size_t i = 0; i < testo.size();) {
    const int32_t colonna = static_cast<int32_t>(out.testo.size() - inizio_riga + 1);
    char32_t cp = 0;
    const size_t n = decodifica(testo, i, cp);
    if (n == 0) {
      out.rilievi.push_back(
          trovato(livello_rilievo::errore, id_messaggio::verifica_utf8_non_valido, fonte, riga, colonna));
      return out;
    }
    if (n > 1) {
      const std::optional<char> b = byte_1252(cp);
      if (!b) {
        out.rilievi.push_back(trovato(livello_rilievo::errore, id_messaggio::verifica_utf8_senza_cp1252, fonte,
                                      riga, colonna, {esadecimale(cp)}));
        return out;
      }
      out.testo += *b;
      riga_cambiata = true;
      i += n;
      continue;
    }
    const char ch = testo[i++];
    out.testo += ch;
    if (ch == '\n')
      fine_riga();
    else if (ch == '\r' && !(i < testo.size() && testo[i] == '\n'))
      fine_riga();
  }
  if (riga_cambiata) fine_riga();
  out.letto = true;
  return out;
}

}  // namespace compattatore
