#include "output/file_compilati.h"

#include <algorithm>
#include <cstring>

namespace compattatore {
namespace {

// Writes little-endian bytes into a buffer sized exactly in advance, so a
// file is built with one allocation and no per-byte growth checks.
struct scrittore {
  char* p;
  void u8(uint8_t v) { *p++ = static_cast<char>(v); }
  // Each field is spelled out byte by byte: the compiler merges the bytes
  // of one field into one store.
  void u16(uint16_t v) {
    p[0] = static_cast<char>(v);
    p[1] = static_cast<char>(v >> 8);
    p += 2;
  }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void i32(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    p[0] = static_cast<char>(u);
    p[1] = static_cast<char>(u >> 8);
    p[2] = static_cast<char>(u >> 16);
    p[3] = static_cast<char>(u >> 24);
    p += 4;
  }
  void f64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    p[0] = static_cast<char>(u);
    p[1] = static_cast<char>(u >> 8);
    p[2] = static_cast<char>(u >> 16);
    p[3] = static_cast<char>(u >> 24);
    p[4] = static_cast<char>(u >> 32);
    p[5] = static_cast<char>(u >> 40);
    p[6] = static_cast<char>(u >> 48);
    p[7] = static_cast<char>(u >> 56);
    p += 8;
  }
  void testo(const std::string& t, size_t n) {
    std::memcpy(p, t.data(), n);
    p += n;
  }
};

constexpr size_t byte_punto(planimetria::tipo_punto t) {
  switch (t) {
    case planimetria::tipo_punto::vuoto: return 2;
    case planimetria::tipo_punto::intero: return 4;
    case planimetria::tipo_punto::doppio: return 10;
  }
  return 0;
}

}  // namespace

size_t dimensione_linea(const planimetria& p) {
  if (!p.dimensionata) return 0;
  size_t meta = 0;
  for (int32_t metro = 0; metro <= p.ultimo && metro < 2; ++metro) meta += byte_punto(p.tipo(metro));
  if (p.ultimo >= 2) {
    size_t calcolati = static_cast<size_t>(std::min(p.calcolati, p.ultimo + 1) - 2);
    size_t vuoti = static_cast<size_t>(p.ultimo - 1) - calcolati;
    meta += calcolati * 10 + vuoti * 2;
  }
  return 2 * meta;
}

codificatore_linea::codificatore_linea(const planimetria& p)
    : p_(&p), restanti_(dimensione_linea(p)), meta_(p.dimensionata ? 0 : 2) {}

// Writes whole tagged values from the current metre on while the next one
// fits before `fine`; returns where it stopped. Each half is three stretches
// (points 0 and 1, the computed points, the empty ones), each run in its own
// tight loop. The writer is a local object so that its pointer stays in a
// register: through a member, a byte store could change the pointer as far
// as the compiler knows, and every store would reload it.
char* codificatore_linea::scrivi_interi(char* b, char* fine) {
  const planimetria& p = *p_;
  const int32_t ultimo = p.ultimo;
  const int32_t fine_calcolati = std::min(p.calcolati, ultimo + 1);
  scrittore w{b};
  while (meta_ < 2) {
    const int32_t metro = metro_;
    const size_t spazio = static_cast<size_t>(fine - w.p);
    int32_t quanti = 0;
    if (metro > ultimo) {
      meta_ += 1;
      metro_ = 0;
      continue;
    }
    if (metro < 2) {
      // Points 0 and 1 are (0, 0) and (0, 1).
      const planimetria::tipo_punto t = p.tipo(metro);
      if (spazio < byte_punto(t)) break;
      w.u16(static_cast<uint16_t>(t));
      if (t == planimetria::tipo_punto::intero) w.i16(static_cast<int16_t>(meta_ == 1 ? metro : 0));
      quanti = 1;
    } else if (metro < fine_calcolati) {
      quanti = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(fine_calcolati - metro), spazio / 10));
      const double* valori = (meta_ == 0 ? p.x.data() : p.y.data()) + metro;
      for (int32_t i = 0; i < quanti; ++i) {
        w.u16(static_cast<uint16_t>(planimetria::tipo_punto::doppio));
        w.f64(valori[i]);
      }
    } else {
      quanti = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(ultimo + 1 - metro), spazio / 2));
      for (int32_t i = 0; i < quanti; ++i) w.u16(static_cast<uint16_t>(planimetria::tipo_punto::vuoto));
    }
    if (quanti == 0) break;
    metro_ = metro + quanti;
  }
  return w.p;
}

size_t codificatore_linea::riempi(char* b, size_t n) {
  char* const inizio = b;
  char* const fine = b + std::min(n, restanti_);
  while (b < fine) {
    if (sospesi_da_ < sospesi_a_) {
      const size_t k = std::min<size_t>(sospesi_a_ - sospesi_da_, static_cast<size_t>(fine - b));
      std::memcpy(b, sospesi_ + sospesi_da_, k);
      sospesi_da_ = static_cast<uint8_t>(sospesi_da_ + k);
      b += k;
      continue;
    }
    b = scrivi_interi(b, fine);
    if (b == fine) break;
    // The next value does not fit whole: it is encoded aside (with whatever
    // else fits in ten bytes) and given in part now, the rest next time.
    sospesi_da_ = 0;
    sospesi_a_ = static_cast<uint8_t>(scrivi_interi(sospesi_, sospesi_ + sizeof sospesi_) - sospesi_);
    // Nothing left to encode while bytes are still owed happens only to a
    // plan changed under the encoder: give a short piece rather than spin.
    if (sospesi_a_ == 0) break;
  }
  const size_t scritti = static_cast<size_t>(b - inizio);
  restanti_ -= scritti;
  return scritti;
}

std::string codifica_linea(const planimetria& p) {
  codificatore_linea c(p);
  std::string b(c.restanti(), '\0');
  c.riempi(b.data(), b.size());
  return b;
}

void codifica_linea_a_pezzi(const planimetria& p, size_t pezzo,
                            const std::function<void(std::string_view)>& scrivi) {
  codificatore_linea c(p);
  if (c.restanti() == 0) return;
  std::string buffer(std::min(pezzo, c.restanti()), '\0');
  while (size_t n = c.riempi(buffer.data(), buffer.size())) scrivi(std::string_view(buffer.data(), n));
}

std::string codifica_tabella(const std::array<voce, voci_tabella>& tabella) {
  size_t totale = 0;
  for (const voce& v : tabella) totale += byte_voce_senza_nome + std::min<size_t>(v.nome.size(), 0xFFFF);
  std::string b(totale, '\0');
  scrittore w{b.data()};
  for (const voce& v : tabella) {
    w.u8(v.tipo);
    w.i32(v.inizio);
    w.i32(v.fine);
    w.i32(v.posizione);
    w.u8(v.byte1);
    // The reader refuses names longer than 65535 bytes; should a model hold
    // one anyway, only the counted bytes are written, so the file stays
    // readable entry by entry.
    size_t lunghezza = std::min<size_t>(v.nome.size(), 0xFFFF);
    w.u16(static_cast<uint16_t>(lunghezza));
    w.testo(v.nome, lunghezza);
    w.i16(v.intero1);
    w.i16(v.intero2);
    w.i16(v.intero3);
    w.i16(v.intero4);
    w.i16(v.intero5);
    w.u8(v.byte2);
    w.u8(v.byte3);
    w.u8(v.byte4);
    w.u8(v.byte5);
    w.i32(v.orario);
  }
  return b;
}

std::string codifica_percorso(const std::vector<cella>& percorso) {
  std::string b(percorso.size() * byte_cella, '\0');
  scrittore w{b.data()};
  for (const cella& c : percorso) {
    w.u8(c.tipo);
    w.i16(c.dato1);
    w.i16(c.dato2);
    w.i16(c.dato3);
    w.i16(c.dato4);
    w.u8(c.tempo);
    w.u8(c.marca);
    w.u8(c.montagna);
    w.u8(c.velocita);
    w.u8(c.pendenza);
    w.u8(c.aderenza);
  }
  return b;
}

}  // namespace compattatore
