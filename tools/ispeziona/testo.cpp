#include "tools/ispeziona/testo.h"

#include <cmath>
#include <cstdio>

#include "tools/ispeziona/testo_1252.h"

namespace compattatore::ispeziona {
namespace {

const std::array<voce, voci_tabella>* tabella_tra(const std::vector<file_letto>& files) {
  for (const file_letto& f : files) {
    if (f.voci) return &*f.voci;
  }
  return nullptr;
}

std::string tra_virgolette(const std::string& byte) { return "\"" + utf8_da_1252(byte) + "\""; }

std::string elenco(const std::vector<std::pair<std::string_view, std::string>>& valori) {
  std::string s;
  for (const auto& [etichetta, valore] : valori) {
    if (!s.empty()) s += ", ";
    s += std::string(etichetta) + " " + valore;
  }
  return s;
}

std::string allinea(const std::string& s, size_t larghezza) {
  return s.size() >= larghezza ? s : std::string(larghezza - s.size(), ' ') + s;
}

std::string valore_tratto(membro m, int v, lingua l) {
  const testi& t = testi_di(l);
  switch (m) {
    case membro::velocita: return std::to_string(v * 5) + " " + std::string(t.km_h);
    case membro::pendenza: return std::to_string(v - 100) + " " + std::string(t.per_mille);
    case membro::aderenza:
    case membro::montagna: return std::to_string(v);
  }
  return {};
}

void sezione_percorso(std::string& s, const file_letto& f, lingua l, const std::array<voce, voci_tabella>* tab) {
  const testi& t = testi_di(l);
  const std::vector<cella>& c = *f.celle;
  s += std::string(t.file_percorso) + ": " + utf8_da_1252(f.nome) + "\n";
  if (c.empty()) {
    s += "  " + std::string(t.celle) + ": 0\n";
    return;
  }
  const int64_t ultima = static_cast<int64_t>(c.size()) - 1;
  s += "  " + std::string(t.celle) + ": " + std::to_string(c.size()) + " (0 - " + std::to_string(ultima) + ", " +
       metri(l, ultima * 50) + ")\n";
  if (c.size() > 1) {
    s += "  " + std::string(t.intestazione) + ": " + std::string(t.valore_intestazione) + " " +
         std::to_string(c[1].dato1) + ", " + std::string(t.codice_gara) + " " + std::to_string(c[1].dato2) + "\n";
  }
  s += "  " + std::string(t.elementi) + ":\n";
  bool alcuno = false;
  for (size_t k = 0; k < c.size(); ++k) {
    if (c[k].tipo == 0) continue;
    alcuno = true;
    const int64_t m = metri_di_cella(static_cast<int64_t>(k));
    elemento_descritto e = descrivi_elemento(c[k], l, tab);
    std::string riga = "    " + std::string(t.cella) + " " + allinea(std::to_string(k), 5) + "  " +
                       allinea(metri(l, m), 11) + "  " + allinea(chilometri(l, m), 10) + "  " + std::string(e.tipo);
    if (!e.valori.empty()) riga += ": " + elenco(e.valori);
    s += riga + "\n";
  }
  if (!alcuno) s += "    " + std::string(t.nessun_elemento) + "\n";
  const std::pair<membro, std::string_view> membri[] = {
      {membro::velocita, t.velocita}, {membro::pendenza, t.pendenza}, {membro::aderenza, t.aderenza},
      {membro::montagna, t.montagna}};
  for (const auto& [m, nome] : membri) {
    s += "  " + std::string(nome) + ":\n";
    for (const tratto& r : tratti(c, m)) {
      s += "    " + std::string(t.da) + " " + metri(l, std::max<int64_t>(0, metri_di_cella(r.da))) + ": " +
           valore_tratto(m, r.valore, l) + "\n";
    }
  }
}

void sezione_tabella(std::string& s, const file_letto& f, lingua l) {
  const testi& t = testi_di(l);
  const std::array<voce, voci_tabella>& v = *f.voci;
  s += std::string(t.file_tabella) + ": " + utf8_da_1252(f.nome) + "\n";
  s += "  " + std::string(t.stazioni) + ":\n";
  bool alcuna = false;
  for (int i = 1; i <= voce_ultimo_cartello; ++i) {
    const voce& e = v[static_cast<size_t>(i)];
    if (!in_uso(e) || e_cartello(e)) continue;
    alcuna = true;
    s += "    " + std::to_string(i) + " " + tra_virgolette(e.nome) + ": " + std::string(t.posizione_percorso) +
         " " + metri(l, e.posizione) + " (" + chilometri(l, e.posizione) + "), " + std::string(t.area) + " " +
         metri(l, e.inizio) + " - " + metri(l, e.fine) + ", " + std::string(t.tipo) + " " +
         std::to_string(e.tipo) + ", " + std::string(t.orario) + " " + ora(e.orario) + "\n";
    s += "      " + std::string(t.altri_valori) + ": byte1 " + std::to_string(e.byte1) + ", intero1 " +
         std::to_string(e.intero1) + ", intero2 " + std::to_string(e.intero2) + ", intero3 " +
         std::to_string(e.intero3) + ", intero4 " + std::to_string(e.intero4) + ", intero5 " +
         std::to_string(e.intero5) + ", byte2 " + std::to_string(e.byte2) + ", byte3 " + std::to_string(e.byte3) +
         ", byte4 " + std::to_string(e.byte4) + ", byte5 " + std::to_string(e.byte5) + "\n";
  }
  if (!alcuna) s += "    " + std::string(t.nessuna) + "\n";
  s += "  " + std::string(t.cartelli) + ":\n";
  alcuna = false;
  for (int i = voce_ultimo_cartello; i >= 1; --i) {
    const voce& e = v[static_cast<size_t>(i)];
    if (!e_cartello(e)) continue;
    alcuna = true;
    s += "    " + std::to_string(i) + " " + tra_virgolette(e.nome) + "\n";
  }
  if (!alcuna) s += "    " + std::string(t.nessuna) + "\n";
  s += "  " + std::string(t.voci_intestazione) + ":\n";
  for (int i = 81; i <= 83; ++i) {
    const voce& e = v[static_cast<size_t>(i)];
    s += "    " + std::to_string(i) + " " + std::string(t.voce_81_83) + ": " + std::string(t.posizione_percorso) +
         " " + metri(l, e.inizio) + ", " + std::string(t.progressiva) + " " + metri(l, e.fine) + ", " +
         std::string(t.segnale_aggiunta) + " " + std::to_string(e.posizione) + "\n";
  }
  const voce& e84 = v[84];
  s += "    84 " + std::string(t.voce_84) + ": " + std::string(t.massa_frenata) + " " + std::to_string(e84.inizio) +
       ", " + std::string(t.lunghezza) + " " + metri(l, e84.fine) + ", " + std::string(t.vetture) + " " +
       std::to_string(e84.posizione) + "\n";
  const voce& e85 = v[85];
  s += "    85 " + std::string(t.voce_85) + ": " + std::string(t.sfondo_uno) + " " + std::to_string(e85.inizio) +
       ", " + std::string(t.sfondo_due) + " " + std::to_string(e85.posizione) + ", " + std::string(t.sfondo_tre) +
       " " + std::to_string(e85.fine) + ", " + std::string(t.chiave_linea) + " " + tra_virgolette(e85.nome) + ", " +
       std::string(t.valore_fisso) + " " + std::to_string(e85.intero1) + ", " + std::string(t.codice_st) + " " +
       std::to_string(e85.orario) + "\n";
  const voce& e86 = v[86];
  s += "    86 " + std::string(t.voce_86) + ": " + std::string(t.ripetizione_da) + " " + metri(l, e86.inizio) + " " +
       std::string(t.ripetizione_a) + " " + metri(l, e86.fine) + ", " + std::string(t.codici) + " " +
       std::to_string(e86.posizione) + ", " + std::string(t.chiave_treno) + " " + tra_virgolette(e86.nome) + ", " +
       std::string(t.sabbia) + " " + std::to_string(e86.intero1) + ", " + std::string(t.orologio) + " " +
       std::to_string(e86.intero3) + ":" + std::to_string(e86.intero4) + ":" + std::to_string(e86.intero5) + "\n";
}

std::string lunghezza_m(lingua l, double v) { return decimale(l, v, 1) + " m"; }

void sezione_linea(std::string& s, const file_letto& f, lingua l) {
  const testi& t = testi_di(l);
  const punti_linea& p = *f.punti;
  s += std::string(t.file_linea) + ": " + utf8_da_1252(f.nome) + "\n";
  if (p.x.empty()) {
    s += "  " + std::string(t.piano_non_dimensionato) + "\n";
    return;
  }
  s += "  " + std::string(t.punti) + ": " + std::to_string(p.x.size()) + " (0 - " +
       std::to_string(p.x.size() - 1) + " m), " + std::to_string(punti_con_valore(p)) + " x/y\n";
  if (!planimetria_di(p)) s += "  " + std::string(t.punti_fuori_schema) + "\n";
  estensione e = estensione_di(p);
  if (!e.vuota) {
    s += "  " + std::string(t.estensione) + ": x " + lunghezza_m(l, e.min_x) + " .. " + lunghezza_m(l, e.max_x) +
         ", y " + lunghezza_m(l, e.min_y) + " .. " + lunghezza_m(l, e.max_y) + "\n";
  }
  s += "  " + std::string(t.cambi_curvatura) + ":\n";
  for (const cambio_curvatura& c : cambi_curvatura(p)) {
    std::string riga = "    " + std::string(t.da) + " " + metri(l, c.metro) + " (" + chilometri(l, c.metro) + "): ";
    if (c.curvatura == 0) {
      riga += std::string(t.rettilineo);
    } else {
      riga += std::string(c.curvatura > 0 ? t.curva_destra : t.curva_sinistra) + ", " + std::string(t.raggio) + " " +
              metri(l, static_cast<int64_t>(std::lround(1.0 / std::fabs(c.curvatura))));
    }
    s += riga + "\n";
  }
}

}  // namespace

std::string ora(int64_t secondi) {
  const char* segno = secondi < 0 ? "-" : "";
  const int64_t a = secondi < 0 ? -secondi : secondi;
  char b[48];
  std::snprintf(b, sizeof b, "%s%02lld:%02lld:%02lld", segno, static_cast<long long>(a / 3600),
                static_cast<long long>(a / 60 % 60), static_cast<long long>(a % 60));
  return b;
}

elemento_descritto descrivi_elemento(const cella& c, lingua l, const std::array<voce, voci_tabella>* tabella) {
  const testi& t = testi_di(l);
  const etichette_tipo& et = c.tipo < 15 && !t.tipi[c.tipo].nome.empty() ? t.tipi[c.tipo] : t.sconosciuto;
  elemento_descritto e;
  e.tipo = et.nome;
  const int16_t dati[4] = {c.dato1, c.dato2, c.dato3, c.dato4};
  for (int i = 0; i < 4; ++i) {
    if (et.dato[i].empty()) continue;
    std::string v = std::to_string(dati[i]);
    // Stations and signs: the entry's name beside its index.
    if (i == 0 && (c.tipo == 10 || c.tipo == 14) && tabella && dati[0] >= 0 && dati[0] < voci_tabella) {
      v += " (" + tra_virgolette((*tabella)[static_cast<size_t>(dati[0])].nome) + ")";
    }
    e.valori.emplace_back(et.dato[i], v);
  }
  if (c.tipo == 1 || c.tempo != 0) e.valori.emplace_back(t.tempo, std::to_string(c.tempo));
  if (c.tipo == 0 && c.tempo == 0) e.valori.clear();
  return e;
}

std::string rapporto_testo(const std::vector<file_letto>& files, lingua l) {
  const std::array<voce, voci_tabella>* tab = tabella_tra(files);
  std::string s;
  for (size_t i = 0; i < files.size(); ++i) {
    if (i > 0) s += "\n";
    const file_letto& f = files[i];
    if (f.celle) sezione_percorso(s, f, l, tab);
    if (f.voci) sezione_tabella(s, f, l);
    if (f.punti) sezione_linea(s, f, l);
  }
  return s;
}

}  // namespace compattatore::ispeziona
