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

// One half of the plan: points 0 and 1, then the computed points, then the
// empty ones, each stretch in its own loop. Returns where the next half
// begins. The writer is a local object so that its pointer stays in a
// register: through a reference, a byte store could change the pointer as
// far as the compiler knows, and every store would reload it.
char* scrivi_meta(char* inizio, const planimetria& p, int coordinata) {
  scrittore w{inizio};
  const double* valori = coordinata == 0 ? p.x.data() : p.y.data();
  const int32_t ultimo = p.ultimo;
  const int32_t fine_calcolati = std::min(p.calcolati, ultimo + 1);
  int32_t metro = 0;
  for (; metro <= ultimo && metro < 2; ++metro) {
    planimetria::tipo_punto t = p.tipo(metro);
    w.u16(static_cast<uint16_t>(t));
    // Points 0 and 1 are (0, 0) and (0, 1).
    if (t == planimetria::tipo_punto::intero) w.i16(static_cast<int16_t>(coordinata == 1 ? metro : 0));
  }
  for (; metro < fine_calcolati; ++metro) {
    w.u16(static_cast<uint16_t>(planimetria::tipo_punto::doppio));
    w.f64(valori[metro]);
  }
  for (; metro <= ultimo; ++metro) w.u16(static_cast<uint16_t>(planimetria::tipo_punto::vuoto));
  return w.p;
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

std::string codifica_linea(const planimetria& p) {
  std::string b(dimensione_linea(p), '\0');
  if (b.empty()) return b;
  scrivi_meta(scrivi_meta(b.data(), p, 0), p, 1);
  return b;
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
