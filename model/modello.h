// The scenario model: the one piece of state that every compile step reads
// and writes. It is a plain struct passed by reference, so a test can build
// any model it likes and no step hides state in globals.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace compattatore {

// The element a route cell holds: the values of cella::tipo.
enum class tipo_cella : uint8_t {
  vuota = 0,
  segnale = 1,
  fine_rallentamento = 2,
  inizio_rallentamento = 3,
  avviso_rallentamento = 4,
  approccio_rallentamento = 5,
  indicatori_velocita = 6,
  fermata = 10,             // station stop
  segno_montagna = 11,      // montagna mark: the cell stays free
  abbattimento_valore = 12, // abbattimento point with a value in dato1
  abbattimento = 13,        // abbattimento point without a value
  cartello = 14,            // sign board
};

// One 50 m cell of the route. `tipo` is the element code, a tipo_cella
// value kept as the byte the route file carries. The last six members are
// independent of `tipo`.
struct cella {
  uint8_t tipo = 0;
  int16_t dato1 = 0;
  int16_t dato2 = 0;
  int16_t dato3 = 0;
  int16_t dato4 = 0;
  uint8_t tempo = 0;
  uint8_t marca = 0;
  uint8_t montagna = 0;
  uint8_t velocita = 0;
  uint8_t pendenza = 0;
  uint8_t aderenza = 0;
};

inline bool di_tipo(const cella& c, tipo_cella t) { return c.tipo == static_cast<uint8_t>(t); }
inline void poni_tipo(cella& c, tipo_cella t) { c.tipo = static_cast<uint8_t>(t); }

// A cell is free when nothing but (at most) a montagna mark stands in it.
inline bool libera(const cella& c) { return di_tipo(c, tipo_cella::vuota) || di_tipo(c, tipo_cella::segno_montagna); }

// One entry of `tabella`: a station, a sign text or a header entry.
// `nome` holds single-byte text (code page 1252), one byte per character.
struct voce {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t byte1 = 0;
  std::string nome;
  int16_t intero1 = 0;
  int16_t intero2 = 0;
  int16_t intero3 = 0;
  int16_t intero4 = 0;
  int16_t intero5 = 0;
  uint8_t byte2 = 0;
  uint8_t byte3 = 0;
  uint8_t byte4 = 0;
  uint8_t byte5 = 0;
  int32_t orario = 0;
};

inline constexpr int voci_tabella = 87;        // entries 0 to 86
inline constexpr int voce_ultimo_cartello = 80; // sign texts grow down from here
inline constexpr int max_montagne = 80;        // montagna elements 1 to 80

// The header entries of tabella, after the stations and the sign texts.
inline constexpr size_t voce_progressiva_a = 81;  // the three kilometric references,
inline constexpr size_t voce_progressiva_b = 82;  // read from "tre", "due", "uno" and
inline constexpr size_t voce_progressiva_c = 83;  // put in order by progressive_ordina
inline constexpr size_t voce_misure = 84;  // route length (fine), braked mass (inizio), cars (posizione)
inline constexpr size_t voce_linea = 85;   // route key, backgrounds, header value, table code
inline constexpr size_t voce_treno = 86;   // train key, signal repetition, sand, clock

// The header values the compile step stores: tabella[voce_linea].intero1 and
// dato1 of the route's header cell.
inline constexpr int16_t valore_intestazione_tabella = 610;
inline constexpr int16_t valore_intestazione_percorso = 5121;
inline constexpr size_t cella_intestazione = 1;

// The track plan: an x/y point for every metre 0 to `ultimo`.
//
// The reader only ever fills it forward, so its tagged values follow from
// two facts and need no tag per point: points 0 and 1 hold the whole
// numbers (0, 0) and (0, 1) once `origine` is set; points 2 up to
// `calcolati` - 1 hold computed doubles; every other point is empty.
struct planimetria {
  bool dimensionata = false;
  int32_t ultimo = 0;      // last metre index (lunghezza_estesa)
  bool origine = false;    // points 0 and 1 hold their whole numbers
  int32_t calcolati = 2;   // next point to compute; points 2..calcolati-1 are doubles
  std::vector<double> x;   // x of the computed points, index = metre
  std::vector<double> y;

  enum class tipo_punto : uint8_t { vuoto = 0, intero = 2, doppio = 5 };
  tipo_punto tipo(int32_t metro) const {
    if (metro < 2) return origine ? tipo_punto::intero : tipo_punto::vuoto;
    return metro < calcolati ? tipo_punto::doppio : tipo_punto::vuoto;
  }
};

// Which source text an error belongs to, for diagnostics.
enum class sorgente : uint8_t { nessuna = 0, linea = 1, treno = 2 };

// Why a read failed (code 25); the tools turn it into words.
enum class motivo_fallimento : uint8_t {
  nessuno,
  testo_finito,         // the text ended inside a record
  non_numero,           // a value that is not a whole number
  fuori_32_bit,         // a value that does not fit 32 bits
  fuori_16_bit,         // a value that does not fit 16 bits
  fuori_byte,           // a value that does not fit a byte (0 to 255)
  velocita_fuori_byte,  // a speed whose fifth does not fit a byte
  percorso_mancante,    // a route record or end step with no route length read
  sorgente_illeggibile, // a source text that exists but cannot be read or opened
  testo_troppo_lungo,   // a name or sign text longer than 65535 bytes
};

struct modello {
  std::string nome_linea;  // route key
  std::string nome_treno;  // train key
  int32_t crea_linea = 0;  // non-zero: build the track plan, write the line file

  std::vector<cella> percorso;  // cells 0 to ultima_cella; empty until sized
  std::array<voce, voci_tabella> tabella{};
  planimetria plan;

  std::array<int32_t, max_montagne + 1> inizio_montagna{};
  std::array<int32_t, max_montagne + 1> fine_montagna{};
  int32_t n_montagne = 0;

  int32_t lunghezza_estesa = 0;  // route length + 7000
  int32_t ultima_cella = 0;      // round(lunghezza_estesa / 50)

  int32_t codice_errore = 0;     // last error found, 0 for none
  int32_t posizione_errore = 0;  // metres, tied to codice_errore

  // Where the last stored error came from. Kept beside the codes for the
  // diagnostics of the tools; no compiled file carries it.
  bool posizione_valida = false;        // posizione_errore was set for this code
  sorgente sorgente_errore = sorgente::nessuna;
  int32_t riga_errore = 0;              // 1-based line in that source, 0 = none
  motivo_fallimento motivo_errore = motivo_fallimento::nessuno;  // for code 25

  bool percorso_dimensionato() const { return !percorso.empty(); }
};

// Returns true when cell `c` is a cell of the route.
inline bool nel_percorso(const modello& m, int64_t c) {
  return c >= 0 && c < static_cast<int64_t>(m.percorso.size());
}

// Returns the cell at index `c`, or nullptr when `c` lies outside the route.
inline cella* cella_a(modello& m, int64_t c) {
  return nel_percorso(m, c) ? &m.percorso[static_cast<size_t>(c)] : nullptr;
}

// Stores `codice` without a position and without a source line.
inline void segna_errore(modello& m, int32_t codice) {
  m.codice_errore = codice;
  m.posizione_valida = false;
  m.sorgente_errore = sorgente::nessuna;
  m.riga_errore = 0;
  m.motivo_errore = motivo_fallimento::nessuno;
}

// Stores `codice` with the position `posizione` (metres).
inline void segna_errore(modello& m, int32_t codice, int32_t posizione) {
  segna_errore(m, codice);
  m.posizione_errore = posizione;
  m.posizione_valida = true;
}

// Store `codice` (with `posizione` where given) and the source line it is
// about, for an error the reader found in source `s`.
inline void segna_errore_in(modello& m, sorgente s, int32_t riga, int32_t codice) {
  segna_errore(m, codice);
  m.sorgente_errore = s;
  m.riga_errore = riga;
}
inline void segna_errore_in(modello& m, sorgente s, int32_t riga, int32_t codice, int32_t posizione) {
  segna_errore(m, codice, posizione);
  m.sorgente_errore = s;
  m.riga_errore = riga;
}

}  // namespace compattatore
