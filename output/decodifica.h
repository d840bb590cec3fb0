// Reads the three compiled files back into what they hold: the inverse of
// the encoders of file_compilati.h, whose layout comment states every byte.
// A file that does not fit the layout is refused with the byte offset where
// it stops fitting and what was expected there; nothing throws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/modello.h"

namespace compattatore {

// The field a byte belongs to. Route cell fields, table entry fields and the
// two parts of a tagged point of the line file.
enum class campo_file : uint8_t {
  tipo, dato1, dato2, dato3, dato4, tempo, marca, montagna, velocita, pendenza, aderenza,
  inizio, fine, posizione, byte1, lunghezza_nome, nome,
  intero1, intero2, intero3, intero4, intero5, byte2, byte3, byte4, byte5, orario,
  tipo_punto, valore_punto,
};

// Returns the field's name as the model spells it ("dato2", "lunghezza_nome").
std::string_view nome_campo(campo_file c);

enum class file_decodificato : uint8_t { percorso, tabella, linea };

// What the decoder expected at the offset where the bytes stopped fitting.
// The words are not here: `descrivi_errore` (and, in the tools, their message
// catalogue) turns the kind and its arguments into a sentence.
enum class atteso : uint8_t {
  campo_intero,     // `campo` of record `indice`, `larghezza` bytes: the file ends inside it
  fine_file,        // the end of the file: bytes follow the last record
  tipo_noto,        // a point's tag 0, 2 or 5 (`trovato` holds the tag read)
  punto_y,          // the y value of metre `indice`: the y half is shorter than the x half
  tipo_uguale,      // the tag `previsto` at metre `indice` (`trovato` read): the plan's
                    // points 0 and 1 share a tag, and the y half repeats the x half's tags
  tipo_calcolato_o_vuoto,  // at metre `indice` >= 2 the tag 5 or 0 (`trovato` read)
  tipo_vuoto,       // at metre `indice`, after a metre never reached, the tag 0 (`trovato` read)
  valore_origine,   // the whole value `previsto` of the origin point at metre `indice`
};

struct errore_decodifica {
  size_t offset = 0;  // byte offset in the file
  atteso cosa = atteso::campo_intero;
  file_decodificato file = file_decodificato::percorso;
  campo_file campo = campo_file::tipo;  // for campo_intero
  int64_t indice = -1;    // cell, entry or metre the byte belongs to; -1: none. For a
                          // field or tag of the line file read before the halves are
                          // known: the point's place in the whole file, from 0
  int meta = 0;           // line file: 0 the x half, 1 the y half
  size_t larghezza = 0;   // for campo_intero: the field's width in bytes
  int64_t trovato = 0;    // the tag or value read, where the kind says so
  int64_t previsto = 0;   // the tag or value expected, where the kind says so
};

// The sentences of the errors, one per kind, with the arguments in braces:
// {campo} {indice} {larghezza} {trovato} {previsto} {meta} (x or y). The
// defaults are Italian, the tools' default language; a tool passes its own
// words for another language.
struct frasi_decodifica {
  std::string_view campo_cella = "atteso {campo} della cella {indice} ({larghezza} byte), il file finisce prima";
  std::string_view campo_voce = "atteso {campo} della voce {indice} ({larghezza} byte), il file finisce prima";
  std::string_view campo_punto = "atteso {campo} del punto {indice} ({larghezza} byte), il file finisce prima";
  std::string_view fine_tabella = "attesa la fine del file dopo la voce 86";
  std::string_view fine_file = "attesa la fine del file";
  std::string_view tipo_noto = "atteso un tipo di punto 0, 2 o 5 al punto {indice}, letto {trovato}";
  std::string_view punto_y = "atteso il valore y del metro {indice}: la meta y e' piu' corta della meta x";
  std::string_view tipo_uguale = "atteso il tipo {previsto} al metro {indice} della meta {meta}, letto {trovato}";
  std::string_view tipo_calcolato_o_vuoto = "atteso il tipo 5 o 0 al metro {indice} della meta {meta}, letto {trovato}";
  std::string_view tipo_vuoto =
      "atteso il tipo 0 al metro {indice} della meta {meta} (dopo un metro mai calcolato), letto {trovato}";
  std::string_view valore_origine = "atteso il valore {previsto} al metro {indice} della meta {meta}, letto {trovato}";
};

// Returns the error as one sentence in the words of `f`, without the offset
// and without a line end.
std::string descrivi_errore(const errore_decodifica& e, const frasi_decodifica& f = {});

// Either the decoded value or why the bytes were refused.
template <typename T>
struct decodificato {
  T valore{};
  std::optional<errore_decodifica> errore;
  explicit operator bool() const { return !errore.has_value(); }
};

// Returns the cells of a route file: 15 bytes each, so a file whose size is
// not a multiple of 15 is refused at its last, cut cell. An empty file (a
// route never sized) gives no cell.
decodificato<std::vector<cella>> decodifica_percorso(std::string_view byte);

// Returns the 87 entries of a table file. Refused: a file that ends inside
// an entry, or that goes on after entry 86.
decodificato<std::array<voce, voci_tabella>> decodifica_tabella(std::string_view byte);

// One tagged value of the line file. `valore` holds the 16-bit integer of an
// `intero` point exactly, the double of a `doppio` point bit for bit, and 0
// for an empty point.
struct punto_linea {
  planimetria::tipo_punto tipo = planimetria::tipo_punto::vuoto;
  double valore = 0;
};

// The points of a line file, metre by metre: x[m] and y[m] belong to metre m.
struct punti_linea {
  std::vector<punto_linea> x;
  std::vector<punto_linea> y;
};

// Returns the points of a line file: tagged values with known tags, each
// whole, as many in the y half as in the x half. An empty file (a plan never
// sized) gives no point.
decodificato<punti_linea> decodifica_linea(std::string_view byte);

// Returns the plan whose encoding gave `p`, when the tags follow the pattern
// the line reader leaves (points 0 and 1 both the whole numbers (0, 0) and
// (0, 1) or both empty; then computed points; then empty ones; the same tags
// in both halves). Offsets in the error are those of the file `p` came from.
// Only the computed points carry values in the plan: x and y of every other
// metre are 0.
decodificato<planimetria> planimetria_di(const punti_linea& p);

}  // namespace compattatore
