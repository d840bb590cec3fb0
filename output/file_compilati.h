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
#include <string>
#include <vector>

#include "model/modello.h"

namespace compattatore {

inline constexpr size_t byte_cella = 15;
inline constexpr size_t byte_voce_senza_nome = 34;

// Returns the line file's bytes: empty when the plan was never sized.
std::string codifica_linea(const planimetria& p);

// Returns the table file's bytes.
std::string codifica_tabella(const std::array<voce, voci_tabella>& tabella);

// Returns the route file's bytes: empty when the route was never sized.
std::string codifica_percorso(const std::vector<cella>& percorso);

// Returns the size codifica_linea gives, without building it.
size_t dimensione_linea(const planimetria& p);

}  // namespace compattatore
