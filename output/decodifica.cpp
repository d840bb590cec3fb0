#include "output/decodifica.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace compattatore {
namespace {

// Reads little-endian fields in the order the layout gives them. The first
// field that does not fit records the error; every later read returns 0, so
// a record is read whole and checked once.
struct lettore {
  lettore(std::string_view b_, file_decodificato f) : b(b_), file(f) {}
  std::string_view b;
  file_decodificato file;
  size_t pos = 0;
  int64_t indice = -1;  // the record being read
  int meta = 0;
  std::optional<errore_decodifica> errore;

  bool prendi(size_t larghezza, campo_file c) {
    if (errore) return false;
    if (b.size() - pos >= larghezza) return true;
    errore_decodifica e;
    e.offset = pos;
    e.cosa = atteso::campo_intero;
    e.file = file;
    e.campo = c;
    e.indice = indice;
    e.meta = meta;
    e.larghezza = larghezza;
    errore = e;
    return false;
  }
  uint64_t le(size_t larghezza, campo_file c) {
    if (!prendi(larghezza, c)) return 0;
    uint64_t v = 0;
    for (size_t i = 0; i < larghezza; ++i) v |= uint64_t{static_cast<unsigned char>(b[pos + i])} << (8 * i);
    pos += larghezza;
    return v;
  }
  uint8_t u8(campo_file c) { return static_cast<uint8_t>(le(1, c)); }
  uint16_t u16(campo_file c) { return static_cast<uint16_t>(le(2, c)); }
  int16_t i16(campo_file c) { return static_cast<int16_t>(u16(c)); }
  int32_t i32(campo_file c) { return static_cast<int32_t>(static_cast<uint32_t>(le(4, c))); }
  double f64(campo_file c) {
    uint64_t u = le(8, c);
    double v;
    std::memcpy(&v, &u, sizeof v);
    return v;
  }
  std::string testo(size_t n, campo_file c) {
    if (!prendi(n, c)) return {};
    std::string s(b.substr(pos, n));
    pos += n;
    return s;
  }
  // Refuses bytes after the last record.
  void fine() {
    if (errore || pos == b.size()) return;
    errore_decodifica e;
    e.offset = pos;
    e.cosa = atteso::fine_file;
    e.file = file;
    errore = e;
  }
};

errore_decodifica errore_punto(atteso cosa, size_t offset, int64_t metro, int meta, int64_t trovato,
                               int64_t previsto) {
  errore_decodifica e;
  e.offset = offset;
  e.cosa = cosa;
  e.file = file_decodificato::linea;
  e.campo = campo_file::tipo_punto;
  e.indice = metro;
  e.meta = meta;
  e.trovato = trovato;
  e.previsto = previsto;
  return e;
}

size_t byte_punto(planimetria::tipo_punto t) {
  switch (t) {
    case planimetria::tipo_punto::vuoto: return 2;
    case planimetria::tipo_punto::intero: return 4;
    case planimetria::tipo_punto::doppio: return 10;
  }
  return 2;
}

constexpr std::string_view nomi_campi[] = {
    "tipo",    "dato1",   "dato2",   "dato3",   "dato4",   "tempo",   "marca",          "montagna",
    "velocita", "pendenza", "aderenza", "inizio", "fine",   "posizione", "byte1",       "lunghezza_nome",
    "nome",    "intero1", "intero2", "intero3", "intero4", "intero5", "byte2",          "byte3",
    "byte4",   "byte5",   "orario",  "tipo_punto", "valore_punto",
};
static_assert(std::size(nomi_campi) == static_cast<size_t>(campo_file::valore_punto) + 1);

}  // namespace

std::string_view nome_campo(campo_file c) { return nomi_campi[static_cast<size_t>(c)]; }

decodificato<std::vector<cella>> decodifica_percorso(std::string_view byte) {
  decodificato<std::vector<cella>> d;
  lettore r{byte, file_decodificato::percorso};
  d.valore.reserve(byte.size() / 15 + 1);
  while (r.pos < byte.size()) {
    r.indice = static_cast<int64_t>(d.valore.size());
    cella c;
    c.tipo = r.u8(campo_file::tipo);
    c.dato1 = r.i16(campo_file::dato1);
    c.dato2 = r.i16(campo_file::dato2);
    c.dato3 = r.i16(campo_file::dato3);
    c.dato4 = r.i16(campo_file::dato4);
    c.tempo = r.u8(campo_file::tempo);
    c.marca = r.u8(campo_file::marca);
    c.montagna = r.u8(campo_file::montagna);
    c.velocita = r.u8(campo_file::velocita);
    c.pendenza = r.u8(campo_file::pendenza);
    c.aderenza = r.u8(campo_file::aderenza);
    if (r.errore) break;
    d.valore.push_back(c);
  }
  d.errore = r.errore;
  return d;
}

decodificato<std::array<voce, voci_tabella>> decodifica_tabella(std::string_view byte) {
  decodificato<std::array<voce, voci_tabella>> d;
  lettore r{byte, file_decodificato::tabella};
  for (size_t i = 0; i < d.valore.size() && !r.errore; ++i) {
    r.indice = static_cast<int64_t>(i);
    voce& v = d.valore[i];
    v.tipo = r.u8(campo_file::tipo);
    v.inizio = r.i32(campo_file::inizio);
    v.fine = r.i32(campo_file::fine);
    v.posizione = r.i32(campo_file::posizione);
    v.byte1 = r.u8(campo_file::byte1);
    const uint16_t lunghezza = r.u16(campo_file::lunghezza_nome);
    v.nome = r.testo(lunghezza, campo_file::nome);
    v.intero1 = r.i16(campo_file::intero1);
    v.intero2 = r.i16(campo_file::intero2);
    v.intero3 = r.i16(campo_file::intero3);
    v.intero4 = r.i16(campo_file::intero4);
    v.intero5 = r.i16(campo_file::intero5);
    v.byte2 = r.u8(campo_file::byte2);
    v.byte3 = r.u8(campo_file::byte3);
    v.byte4 = r.u8(campo_file::byte4);
    v.byte5 = r.u8(campo_file::byte5);
    v.orario = r.i32(campo_file::orario);
  }
  r.fine();
  d.errore = r.errore;
  if (d.errore) d.valore = {};
  return d;
}

decodificato<punti_linea> decodifica_linea(std::string_view byte) {
  decodificato<punti_linea> d;
  lettore r{byte, file_decodificato::linea};
  // The file does not say where the y half begins: the points are read in
  // one run and split in the middle.
  std::vector<punto_linea> tutti;
  tutti.reserve(byte.size() / 10 + 2);
  while (r.pos < byte.size() && !r.errore) {
    r.indice = static_cast<int64_t>(tutti.size());
    const size_t inizio = r.pos;
    const uint16_t tag = r.u16(campo_file::tipo_punto);
    punto_linea p;
    if (tag == static_cast<uint16_t>(planimetria::tipo_punto::intero)) {
      p.tipo = planimetria::tipo_punto::intero;
      p.valore = r.i16(campo_file::valore_punto);
    } else if (tag == static_cast<uint16_t>(planimetria::tipo_punto::doppio)) {
      p.tipo = planimetria::tipo_punto::doppio;
      p.valore = r.f64(campo_file::valore_punto);
    } else if (tag != static_cast<uint16_t>(planimetria::tipo_punto::vuoto) && !r.errore) {
      r.errore = errore_punto(atteso::tipo_noto, inizio, r.indice, 0, tag, 0);
    }
    if (!r.errore) tutti.push_back(p);
  }
  if (!r.errore && tutti.size() % 2 != 0) {
    // An odd count: the metre that lacks its y value is the last x metre.
    errore_decodifica e;
    e.offset = byte.size();
    e.cosa = atteso::punto_y;
    e.file = file_decodificato::linea;
    e.campo = campo_file::tipo_punto;
    e.indice = static_cast<int64_t>(tutti.size() / 2);
    e.meta = 1;
    r.errore = e;
  }
  if (r.errore) {
    d.errore = r.errore;
    return d;
  }
  const size_t meta = tutti.size() / 2;
  d.valore.x.assign(tutti.begin(), tutti.begin() + static_cast<std::ptrdiff_t>(meta));
  d.valore.y.assign(tutti.begin() + static_cast<std::ptrdiff_t>(meta), tutti.end());
  return d;
}

decodificato<planimetria> planimetria_di(const punti_linea& p) {
  decodificato<planimetria> d;
  const size_t n = p.x.size();
  if (n == 0 || p.y.size() != n) {
    // No point: a plan never sized. Halves of different sizes cannot come
    // from decodifica_linea; they are refused at the end of the x half.
    if (p.y.size() != n) {
      size_t offset = 0;
      for (const punto_linea& q : p.x) offset += byte_punto(q.tipo);
      for (const punto_linea& q : p.y) offset += byte_punto(q.tipo);
      d.errore = errore_punto(atteso::punto_y, offset, static_cast<int64_t>(std::min(n, p.y.size())), 1, 0, 0);
    }
    return d;
  }
  using tp = planimetria::tipo_punto;
  planimetria& pl = d.valore;
  pl.dimensionata = true;
  pl.ultimo = static_cast<int32_t>(n - 1);
  pl.origine = p.x[0].tipo == tp::intero;
  pl.x.assign(n, 0.0);
  pl.y.assign(n, 0.0);

  // The x half is checked against the pattern; the y half against the x half.
  size_t offset = 0;
  bool vuoto_visto = false;
  for (int meta = 0; meta < 2; ++meta) {
    const std::vector<punto_linea>& punti = meta == 0 ? p.x : p.y;
    for (size_t m = 0; m < n; ++m) {
      const punto_linea& q = punti[m];
      const int64_t metro = static_cast<int64_t>(m);
      const int64_t tag = static_cast<int64_t>(q.tipo);
      std::optional<errore_decodifica> e;
      if (meta == 1) {
        if (q.tipo != p.x[m].tipo) {
          e = errore_punto(atteso::tipo_uguale, offset, metro, 1, tag, static_cast<int64_t>(p.x[m].tipo));
        }
      } else if (m < 2) {
        if (q.tipo == tp::doppio) {
          // Points 0 and 1 are whole numbers or nothing.
          e = errore_punto(atteso::tipo_uguale, offset, metro, 0, tag, static_cast<int64_t>(tp::intero));
        } else if (m == 1 && q.tipo != p.x[0].tipo) {
          e = errore_punto(atteso::tipo_uguale, offset, metro, 0, tag, static_cast<int64_t>(p.x[0].tipo));
        }
      } else if (q.tipo == tp::intero) {
        e = errore_punto(vuoto_visto ? atteso::tipo_vuoto : atteso::tipo_calcolato_o_vuoto, offset, metro, 0, tag,
                         0);
      } else if (q.tipo == tp::doppio && vuoto_visto) {
        e = errore_punto(atteso::tipo_vuoto, offset, metro, 0, tag, 0);
      }
      if (!e && q.tipo == tp::intero && q.valore != (meta == 1 ? static_cast<double>(m) : 0.0)) {
        e = errore_punto(atteso::valore_origine, offset + 2, metro, meta, static_cast<int64_t>(q.valore),
                         meta == 1 ? metro : 0);
        e->campo = campo_file::valore_punto;
      }
      if (e) {
        d.errore = e;
        d.valore = {};
        return d;
      }
      if (meta == 0 && m >= 2 && q.tipo == tp::vuoto) vuoto_visto = true;
      if (q.tipo == tp::doppio) {
        (meta == 0 ? pl.x : pl.y)[m] = q.valore;
        if (meta == 0) pl.calcolati = static_cast<int32_t>(m + 1);
      }
      offset += byte_punto(q.tipo);
    }
  }
  return d;
}

std::string descrivi_errore(const errore_decodifica& e, const frasi_decodifica& f) {
  std::string_view frase;
  switch (e.cosa) {
    case atteso::campo_intero:
      frase = e.file == file_decodificato::percorso ? f.campo_cella
              : e.file == file_decodificato::tabella ? f.campo_voce
                                                     : f.campo_punto;
      break;
    case atteso::fine_file: frase = e.file == file_decodificato::tabella ? f.fine_tabella : f.fine_file; break;
    case atteso::tipo_noto: frase = f.tipo_noto; break;
    case atteso::punto_y: frase = f.punto_y; break;
    case atteso::tipo_uguale: frase = f.tipo_uguale; break;
    case atteso::tipo_calcolato_o_vuoto: frase = f.tipo_calcolato_o_vuoto; break;
    case atteso::tipo_vuoto: frase = f.tipo_vuoto; break;
    case atteso::valore_origine: frase = f.valore_origine; break;
  }
  const std::pair<std::string_view, std::string> argomenti[] = {
      {"{campo}", std::string(nome_campo(e.campo))}, {"{indice}", std::to_string(e.indice)},
      {"{larghezza}", std::to_string(e.larghezza)}, {"{trovato}", std::to_string(e.trovato)},
      {"{previsto}", std::to_string(e.previsto)},   {"{meta}", e.meta == 0 ? "x" : "y"},
  };
  std::string s;
  for (size_t i = 0; i < frase.size();) {
    bool sostituito = false;
    if (frase[i] == '{') {
      for (const auto& [segnaposto, valore] : argomenti) {
        if (frase.substr(i, segnaposto.size()) == segnaposto) {
          s += valore;
          i += segnaposto.size();
          sostituito = true;
          break;
        }
      }
    }
    if (!sostituito) s += frase[i++];
  }
  return s;
}

}  // namespace compattatore
