// The names of every file of a run, formed from the route key and the train
// key. Names only: the folder they lie in is the caller's business.
#pragma once

#include <string>

#include "model/modello.h"

namespace compattatore {

inline std::string nome_sorgente_linea(const modello& m) { return m.nome_linea + "_linea.txt"; }
inline std::string nome_sorgente_treno(const modello& m) {
  return m.nome_linea + "_" + m.nome_treno + "-.txt";
}
inline std::string nome_note(const modello& m) {
  return m.nome_linea + "_" + m.nome_treno + "_note.txt";
}
inline std::string nome_rallentamenti(const modello& m) {
  return m.nome_linea + "_" + m.nome_treno + "_rallentamenti.txt";
}
inline std::string nome_scheda(const modello& m) {
  return m.nome_linea + "_" + m.nome_treno + "_scheda_treno.txt";
}
inline std::string nome_file_linea(const modello& m) { return m.nome_linea + "_linea.dat"; }
inline std::string nome_file_tabella(const modello& m) {
  return m.nome_linea + "_" + m.nome_treno + ".sim";
}
inline std::string nome_file_percorso(const modello& m) {
  return m.nome_linea + "_" + m.nome_treno + ".dat";
}

}  // namespace compattatore
