// The three compiled files, as the simulator reads them. Each is a plain
// dump of one array of the model: little-endian, no padding, no header.
//
// Line file: the x values of metres 0 .. lunghezza_estesa, then the y values,
// each a tagged value:
//     type  u16   0 = empty, 2 = 16-bit integer, 5 = IEEE 754 double
//     value       nothing (type 0), i16 (type 2) or f64 (type 5)
//
// Table file: the 87 entries of tabella, index 0 first, 34 + L bytes each:
//     tipo u8 | inizio i32 | fine i32 | posizione i32 | byte1 u8 |
//     L u16 | nome L bytes (code page 1252, no terminator) |
//     intero1..intero5 i16 | byte2 u8 | byte3 u8 | byte4 u8 | byte5 u8 |
//     orario i32
//
// Route file: the cells 0 .. ultima_cella, 15 bytes each:
//     tipo u8 | dato1..dato4 i16 | tempo u8 | marca u8 | montagna u8 |
//     velocita u8 | pendenza u8 | aderenza u8
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/modello.h"

namespace compattatore {

inline constexpr size_t byte_cella = 15;
inline constexpr size_t byte_voce_senza_nome = 34;

// Returns the line file's bytes: empty when the plan was never sized.
std::string codifica_linea(const planimetria& p);

// Encodes the line file piece by piece into buffers the caller owns, straight
// from the plan, so that its bytes (20 bytes a metre, the bulk of every run's
// output) never exist whole in memory. The pieces, joined, are exactly
// codifica_linea(p); a piece may end inside a tagged value, whose rest opens
// the next piece.
// Requires `p` to outlive the encoder, unchanged while it runs.
struct codificatore_linea {
  explicit codificatore_linea(const planimetria& p);

  // Writes the next min(n, restanti()) bytes of the file at `b`; returns how
  // many. Returns 0 once the whole file has been given.
  size_t riempi(char* b, size_t n);

  // Returns the bytes still to give: dimensione_linea(p) at the start.
  size_t restanti() const { return restanti_; }

 private:
  char* scrivi_interi(char* b, char* fine);

  const planimetria* p_;
  size_t restanti_;
  int meta_ = 0;       // 0: the x half, 1: the y half, 2: done
  int32_t metro_ = 0;  // the next metre of the half to encode
  // The bytes of a value that the last piece cut, still to give.
  char sospesi_[10] = {};
  uint8_t sospesi_da_ = 0, sospesi_a_ = 0;
};

// Hands the line file to `scrivi` in pieces of `pezzo` bytes, the last one
// shorter, encoded one after another into one buffer of that size; nothing
// when the plan was never sized. A piece's view is valid only during its
// call. Requires pezzo > 0.
void codifica_linea_a_pezzi(const planimetria& p, size_t pezzo,
                            const std::function<void(std::string_view)>& scrivi);

// Returns the table file's bytes.
std::string codifica_tabella(const std::array<voce, voci_tabella>& tabella);

// Returns the route file's bytes: empty when the route was never sized.
std::string codifica_percorso(const std::vector<cella>& percorso);

// Returns the size codifica_linea gives, without building it.
size_t dimensione_linea(const planimetria& p);

}  // namespace compattatore
