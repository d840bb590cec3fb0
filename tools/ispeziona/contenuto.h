// What `ispeziona` reads: the compiled files, each with its role, decoded,
// and the few things every view derives from them (runs of a cell value,
// stations and signs of the table, curvature changes of the plan).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/modello.h"
#include "output/decodifica.h"

namespace compattatore::ispeziona {

enum class ruolo { linea, tabella, percorso };

// Returns the role the file name says: "*_linea.dat" the line file, "*.sim"
// the table file, any other "*.dat" the route file; none for another name.
// Only the name after the last "/" counts.
std::optional<ruolo> ruolo_dal_nome(std::string_view percorso);

// Returns the role named on the command line ("linea", "tabella", "percorso").
std::optional<ruolo> ruolo_dalla_parola(std::string_view parola);

std::string_view parola_del_ruolo(ruolo r);

// One file, decoded as its role says. Exactly one of the three is set.
struct file_letto {
  std::string nome;  // as given
  ruolo r = ruolo::percorso;
  std::optional<std::vector<cella>> celle;
  std::optional<std::array<voce, voci_tabella>> voci;
  std::optional<punti_linea> punti;
};

// Returns the file decoded, or the decoder's error.
decodificato<file_letto> decodifica_file(const std::string& nome, ruolo r, std::string_view byte);

// A run of one cell member over consecutive cells: from cell `da` on, the
// member holds `valore`.
struct tratto {
  int64_t da;
  int valore;
};

enum class membro { velocita, pendenza, aderenza, montagna };

// Returns the changes of `m` along the route: the first cell (0) and every
// cell whose value differs from the one before.
std::vector<tratto> tratti(const std::vector<cella>& celle, membro m);

// Returns the first cell of the stretch at the end of the route where no
// line record reached: speed, gradient and adhesion bytes all 0 up to the
// last cell. Returns the number of cells when the last cell holds any.
size_t fine_dei_dati(const std::vector<cella>& celle);

// Returns the position in metres that cell `k` stands for: (k - 1) x 50.
inline int64_t metri_di_cella(int64_t k) { return (k - 1) * 50; }

// An entry of the table in use: any number non-zero or a name.
bool in_uso(const voce& v);

// Stations fill the entries from 1 up, sign texts from 80 down. A sign entry
// holds only a text, so an entry of 1 to 80 in use whose numbers are all
// zero is taken as a sign text, any other as a station.
bool e_cartello(const voce& v);

// Where the curvature of the plan changes: from metre `metro` on, the track
// turns by `curvatura` radians per metre (0 straight; the sign says the side).
struct cambio_curvatura {
  int64_t metro;
  double curvatura;
};

// Returns the curvature changes of the computed stretch of the plan. Each
// metre's curvature is measured from three points and rounded to 1e-6 rad/m,
// well below the gentlest curve class (1e-4), so rounding noise of a
// straight stretch never reads as a change.
std::vector<cambio_curvatura> cambi_curvatura(const punti_linea& p);

// The extent of the plan's points that hold a value.
struct estensione {
  bool vuota = true;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
};
// Widens `e` to hold the point (x, y).
void allarga(estensione& e, double x, double y);
estensione estensione_di(const punti_linea& p);

// Returns the number of points of metre m that hold a value (x and y both).
size_t punti_con_valore(const punti_linea& p);

}  // namespace compattatore::ispeziona
