// The check pass. It walks both texts with the reader's own field reader and
// the reader's steps (finding "[generale]", comment runs, keyword tests in
// table order, the range test), but where the reader stops at an error it
// reports and goes on with the next record. Cells are placed through the
// real recorders on a model of its own, so a refused cell is refused for
// the same reason as in the compile, and a map beside it remembers which
// record (and which of its implicit cells) took each cell.
#include "compiler/verifica.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "compiler/lettore_campi.h"
#include "compiler/lettore_linea_piano.h"
#include "compiler/memo.h"
#include "compiler/parole.h"
#include "model/arrotonda.h"

namespace compattatore {

int distanza_parole(std::string_view a, std::string_view b) {
  auto basso = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  const size_t n = a.size(), k = b.size();
  std::vector<std::vector<int>> d(n + 1, std::vector<int>(k + 1, 0));
  for (size_t i = 0; i <= n; ++i) d[i][0] = static_cast<int>(i);
  for (size_t j = 0; j <= k; ++j) d[0][j] = static_cast<int>(j);
  for (size_t i = 1; i <= n; ++i)
    for (size_t j = 1; j <= k; ++j) {
      const int costo = basso(a[i - 1]) == basso(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + costo});
      if (i > 1 && j > 1 && basso(a[i - 1]) == basso(b[j - 2]) && basso(a[i - 2]) == basso(b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[n][k];
}

namespace {

enum class larghezza : uint8_t { l32, l16, l8, testo };

// One value of a record: what the field is called in messages, and its width.
struct campo {
  const char* nome;
  larghezza l = larghezza::l32;
};

struct letto {
  int64_t v = 0;
  std::string testo;  // for a text value
  int32_t riga = 0;
  int32_t colonna = 0;
};

// Who took a cell: a record itself, or one of the cells a slow-down or a
// station places besides its own.
enum class ruolo : uint8_t { record, preavviso, inizio, fine, approccio, fermata };

struct occupante {
  ruolo r = ruolo::record;
  std::string parola;  // the record's keyword, as the messages name it
  sorgente fonte = sorgente::nessuna;
  int32_t riga = 0;
};

// The last record of a kind that runs on to the next (gradient, speed,
// adhesion), for the order checks.
struct precedente {
  bool c = false;
  int64_t cella = 0;
  int32_t posizione = 0;
  int32_t riga = 0;
};

// A keyword of one part: the text the test looks for and the keyword an
// author writes, offered as the hint.
struct parola_nota {
  std::string_view prova;
  std::string_view scritta;
};

constexpr parola_nota parole_generali[] = {
    {"lunghezza", "lunghezza percorso"},         {"percorso", "lunghezza percorso"},
    {"progressiva", "progressiva chilometrica"}, {"sfondo", "sfondo"},
    {"ripetizione", "ripetizione segnali"},      {"segnali", "ripetizione segnali"}};
constexpr parola_nota parole_percorso[] = {{"pendenza", "pendenza"},
                                           {"curva", "curva"},
                                           {"montagna", "montagna"},
                                           {"indicatori", "indicatori_vmax"},
                                           {"cartello", "cartello_indicatore"}};
constexpr parola_nota parole_treno[] = {{"vetture", "numero vetture"},
                                        {"frenata", "percentuale massa frenata"},
                                        {"massa", "percentuale massa frenata"},
                                        {"velocita", "velocita"},
                                        {"aderenza", "aderenza"},
                                        {"orologio", "orologio"},
                                        {"sabbia", "sabbia"},
                                        {"segnale", "segnale"},
                                        {"rallentamento", "rallentamento"},
                                        {"abbattimento", "abbattimento"},
                                        {"stazione", "stazione"}};

std::string basso(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

bool solo_numeri(std::string_view f) {
  bool cifra = false;
  for (char c : f) {
    if (c >= '0' && c <= '9')
      cifra = true;
    else if (c != ' ' && c != '\t')
      return false;
  }
  return cifra;
}

// "#", "//", ";" and "'" open a comment in other formats; here they do not.
bool sembra_commento(std::string_view f) {
  return f.starts_with("#") || f.starts_with("//") || f.starts_with(";") || f.starts_with("'");
}

// The nearest known keyword to any word of `f`, when one is near enough
// (one edit for words up to 5 letters, two beyond); "" otherwise. A word is
// compared with the keyword and with its own beginnings around the
// keyword's length, since keyword fields carry more than the tested text
// ("curvas6", "pendenze").
std::string_view suggerimento(std::string_view f, std::initializer_list<const parola_nota*> gruppi,
                              std::initializer_list<size_t> dimensioni) {
  std::string_view migliore;
  int minima = 3;
  size_t inizio = 0;
  while (inizio < f.size()) {
    size_t fine = f.find_first_of(" \t,", inizio);
    if (fine == std::string_view::npos) fine = f.size();
    const std::string_view parola = f.substr(inizio, fine - inizio);
    inizio = fine + 1;
    if (parola.size() < 3) continue;
    auto g = gruppi.begin();
    auto n = dimensioni.begin();
    for (; g != gruppi.end(); ++g, ++n)
      for (size_t i = 0; i < *n; ++i) {
        const parola_nota& p = (*g)[i];
        const int soglia = p.prova.size() <= 5 ? 1 : 2;
        for (size_t l = p.prova.size() > 2 ? p.prova.size() - 2 : 1; l <= p.prova.size() + 2; ++l) {
          if (l > parola.size()) break;
          const int d = distanza_parole(parola.substr(0, l), p.prova);
          if (d <= soglia && d < minima) {
            minima = d;
            migliore = p.scritta;
          }
        }
      }
  }
  return migliore;
}

std::string numero(int64_t v) { return std::to_string(v); }

class verificatore {
 public:
  explicit verificatore(bool crea_linea) : crea_linea_(crea_linea) {}

  std::vector<rilievo> fatti;

  void linea(std::string_view testo) {
    fonte_ = sorgente::linea;
    lettore_campi campi(testo);
    campi_ = &campi;
    if (!trova_generale_linea()) return;
    if (!parte_generale()) return;
    parte_percorso();
    // A line source without any route length fails at its end (code 25)
    // when no route record has failed for it before.
    if (!lunghezza_vista_ && !senza_lunghezza_detto_)
      errore(25, id_messaggio::verifica_lunghezza_mancante, 0, 0);
  }

  // The compile cannot open an absent train source (code 25).
  void treno_assente() {
    fonte_ = sorgente::treno;
    errore(25, id_messaggio::motivo_sorgente_illeggibile, 0, 0);
  }

  void treno(std::string_view testo) {
    fonte_ = sorgente::treno;
    riga_muta_ = 0;
    lettore_campi campi(testo);
    campi_ = &campi;
    senza_lunghezza_detto_ = false;
    if (!trova_generale_treno()) return;
    parte_treno();
  }

 private:
  bool crea_linea_;
  sorgente fonte_ = sorgente::nessuna;
  lettore_campi* campi_ = nullptr;
  std::string_view chiave_;
  int32_t riga_chiave_ = 0, colonna_chiave_ = 0;
  // A field already reported (a name's rest after a comma): the keyword
  // loop tests it as the reader does but says nothing more about it.
  int32_t riga_detta_ = 0, colonna_detta_ = 0;
  int32_t riga_muta_ = 0;  // a line whose stray values are no news

  modello m_;                                  // cells placed by the real recorders
  std::vector<std::optional<occupante>> chi_;  // who took each cell
  bool senza_lunghezza_detto_ = false;
  bool lunghezza_vista_ = false;
  int32_t riga_quindici_linea_ = 0;  // the record beyond the route that ended the line phase
  bool quindici_detto_ = false;
  int32_t slot_cartello_ = voce_ultimo_cartello;
  int64_t punto_piano_ = 2;  // the next plan point the curves would draw
  precedente pendenza_, velocita_, aderenza_;
  int32_t indice_stazione_ = 1;
  int64_t fine_precedente_ = 0;
  int32_t riga_precedente_ = 0;

  // --- Reporting ------------------------------------------------------------

  rilievo& riporta(livello_rilievo l, id_messaggio id, int32_t riga, int32_t colonna,
                   std::vector<std::string> argomenti = {}) {
    rilievo r;
    r.livello = l;
    r.fonte = fonte_;
    r.riga = riga;
    r.colonna = colonna;
    r.messaggio = id;
    r.argomenti = std::move(argomenti);
    fatti.push_back(std::move(r));
    return fatti.back();
  }
  rilievo& avviso(id_messaggio id, int32_t riga, int32_t colonna, std::vector<std::string> a = {}) {
    return riporta(livello_rilievo::avviso, id, riga, colonna, std::move(a));
  }
  rilievo& errore(int32_t codice, id_messaggio id, int32_t riga, int32_t colonna,
                  std::vector<std::string> a = {}) {
    rilievo& r = riporta(livello_rilievo::errore, id, riga, colonna, std::move(a));
    r.codice = codice;
    return r;
  }
  rilievo& errore_a(int32_t codice, id_messaggio id, const letto& dove, std::vector<std::string> a = {}) {
    rilievo& r = errore(codice, id, dove.riga, dove.colonna, std::move(a));
    return r;
  }
  rilievo& errore_chiave(int32_t codice, id_messaggio id, std::vector<std::string> a = {}) {
    return errore(codice, id, riga_chiave_, colonna_chiave_, std::move(a));
  }

  // --- Fields ---------------------------------------------------------------

  // Reads the next field as the keyword field. Returns false when the text
  // has ended (the reader would fail there: the caller decides).
  bool leggi_chiave() {
    try {
      chiave_ = campi_->testo();
    } catch (const fallimento_lettura&) {
      return false;
    }
    riga_chiave_ = campi_->riga_ultimo_campo();
    colonna_chiave_ = campi_->luogo_ultimo_campo().colonna;
    return true;
  }

  // Reads the values of the record `parola` as the reader does. On a value
  // that cannot be read, reports the error the compile stores (code 25) in
  // words and returns false. When the bad field lies on a later line than
  // the record's last value, the record ran short: the field is given back
  // so that it is taken as the next keyword field, as the author meant.
  // `da` and `a` read only the values from index `da` up to (not
  // including) `a`, appended to `out`: a record the reader checks part way
  // (a station) is read in its parts.
  bool leggi_valori(std::string_view parola, std::initializer_list<campo> campi, std::vector<letto>& out,
                    size_t da = 0, size_t a = SIZE_MAX) {
    if (da == 0) out.clear();
    int32_t ultima_riga = out.empty() ? riga_chiave_ : out.back().riga;
    for (size_t i = da; i < std::min(a, campi.size()); ++i) {
      const campo& c = *(campi.begin() + i);
      const lettore_campi prima = *campi_;
      letto x;
      try {
        switch (c.l) {
          case larghezza::l32:
            x.v = campi_->numero32();
            break;
          case larghezza::l16:
            x.v = campi_->numero16();
            break;
          case larghezza::l8:
            x.v = campi_->numero8();
            break;
          case larghezza::testo:
            x.testo = std::string(campi_->nome());
            break;
        }
        x.riga = campi_->riga_ultimo_campo();
        x.colonna = campi_->luogo_ultimo_campo().colonna;
      } catch (const fallimento_lettura& e) {
        valore_illeggibile(parola, campi, out.size(), prima, ultima_riga, e.motivo);
        return false;
      }
      ultima_riga = x.riga;
      out.push_back(std::move(x));
    }
    return true;
  }

  void valore_illeggibile(std::string_view parola, std::initializer_list<campo> campi, size_t letti,
                          const lettore_campi& prima, int32_t ultima_riga, motivo_fallimento motivo) {
    auto corto = [&] {
      if (letti == 1)
        errore_chiave(25, id_messaggio::verifica_valori_mancanti_uno,
                      {std::string(parola), numero(int64_t(campi.size()))});
      else
        errore_chiave(25, id_messaggio::verifica_valori_mancanti,
                      {std::string(parola), numero(int64_t(letti)), numero(int64_t(campi.size()))});
    };
    if (motivo == motivo_fallimento::testo_finito) return corto();
    lettore_campi copia = prima;
    std::string_view campo_letto;
    try {
      campo_letto = copia.testo();
    } catch (const fallimento_lettura&) {
      return corto();
    }
    letto dove;
    dove.riga = copia.riga_ultimo_campo();
    dove.colonna = copia.luogo_ultimo_campo().colonna;
    if (motivo == motivo_fallimento::non_numero) {
      if (dove.riga > ultima_riga) {
        *campi_ = prima;
        return corto();
      }
      errore_a(25, id_messaggio::verifica_non_numero, dove, {std::string(campo_letto), std::string(parola)});
      salta_riga(dove.riga);
      return;
    }
    if (motivo == motivo_fallimento::testo_troppo_lungo) {
      errore_a(25, id_messaggio::verifica_testo_lungo_tabella, dove, {std::string(parola)});
      return;
    }
    const campo& c = *(campi.begin() + letti);
    // The number alone, without what follows it in the same field.
    std::string_view cifre = campo_letto.substr(0, campo_letto.find_first_of(" \t"));
    std::string da = "-2147483648", a = "2147483647";
    if (c.l == larghezza::l16) da = "-32768", a = "32767";
    if (c.l == larghezza::l8) da = "0", a = "255";
    errore_a(25, id_messaggio::verifica_fuori_campo, dove,
             {std::string(cifre), c.nome, std::string(parola), da, a});
    salta_riga(dove.riga);
  }

  // After a value that cannot be read, the rest of its line is taken as
  // the rest of the record: reported once, not field by field.
  void salta_riga(int32_t riga) {
    for (;;) {
      lettore_campi copia = *campi_;
      if (copia.alla_fine()) return;
      try {
        copia.testo();
      } catch (const fallimento_lettura&) {
        return;
      }
      if (copia.riga_ultimo_campo() != riga) return;
      *campi_ = copia;
    }
  }

  // The reader gives up on a route record before any route exists (code
  // 25); said once per source.
  bool richiedi_percorso(std::string_view parola) {
    if (!m_.percorso.empty()) return true;
    if (!senza_lunghezza_detto_)
      errore_chiave(25, id_messaggio::verifica_senza_lunghezza, {std::string(parola)});
    senza_lunghezza_detto_ = true;
    return false;
  }

  // The range test; on failure the compile stores 15 and ends the phase.
  bool entro(std::string_view parola, const letto& p, int64_t margine = 100) {
    if (entro_percorso(p.v, m_.ultima_cella, margine)) return true;
    if (fonte_ == sorgente::linea && riga_quindici_linea_ == 0) riga_quindici_linea_ = p.riga;
    errore_a(15, id_messaggio::verifica_oltre_percorso, p,
             {std::string(parola), numero(p.v), numero(50 * int64_t{m_.ultima_cella} - margine)})
        .posizione = static_cast<int32_t>(p.v);
    return false;
  }

  void griglia(std::string_view cosa, const letto& p, int64_t vale_come) {
    if (p.v % 50 == 0) return;
    avviso(id_messaggio::avviso_fuori_griglia, p.riga, p.colonna,
           {std::string(cosa), numero(p.v), numero(vale_come)});
  }

  // --- Cells ----------------------------------------------------------------

  bool nel_percorso(int64_t c) const { return c >= 0 && c <= m_.ultima_cella; }

  void prendi(int64_t c, ruolo r, std::string_view parola, int32_t riga) {
    if (nel_percorso(c)) chi_[static_cast<size_t>(c)] = occupante{r, std::string(parola), fonte_, riga};
  }

  // Reports cell `c` refused to the record `parola` at `p` (code `codice`):
  // outside the route, or taken, naming what took it.
  void cella_rifiutata(int32_t codice, std::string_view parola, const letto& p, int64_t c) {
    std::vector<std::string> a = {std::string(parola), numero(p.v), numero(c)};
    if (!nel_percorso(c) || !chi_[static_cast<size_t>(c)]) {
      // A cell taken by no record the pass knows of cannot happen; one
      // outside the route can.
      errore_a(codice, id_messaggio::verifica_cella_fuori, p, std::move(a)).posizione =
          static_cast<int32_t>(p.v);
      return;
    }
    const occupante& o = *chi_[static_cast<size_t>(c)];
    id_messaggio id = id_messaggio::verifica_cella_presa_record;
    switch (o.r) {
      case ruolo::record:
        a.push_back(o.parola);
        break;
      case ruolo::preavviso:
        id = id_messaggio::verifica_cella_presa_preavviso;
        break;
      case ruolo::inizio:
        id = id_messaggio::verifica_cella_presa_inizio;
        break;
      case ruolo::fine:
        id = id_messaggio::verifica_cella_presa_fine;
        break;
      case ruolo::approccio:
        id = id_messaggio::verifica_cella_presa_approccio;
        break;
      case ruolo::fermata:
        id = id_messaggio::verifica_cella_presa_fermata;
        break;
    }
    rilievo& r = errore_a(codice, id, p, std::move(a));
    r.posizione = static_cast<int32_t>(p.v);
    r.altra_fonte = o.fonte;
    r.altra_riga = o.riga;
  }

  bool libera_in(int64_t c) const { return nel_percorso(c) && libera(m_.percorso[static_cast<size_t>(c)]); }

  // --- Keyword fields that pass no test
  // ---------------------------------------

  enum class parte { generale, percorso, treno };

  // Which tests of `p` the field passes, as the reader applies them.
  static bool passa(parte p, std::string_view f, bool crea_linea) {
    switch (p) {
      case parte::generale:
        return (contiene(f, "lunghezza") && contiene(f, "percorso")) ||
               (contiene_esatto(f, "progressiva") &&
                (contiene_esatto(f, "tre") || contiene_esatto(f, "due") || contiene_esatto(f, "uno"))) ||
               (contiene_esatto(f, "sfondo") &&
                (contiene_esatto(f, "uno") || contiene_esatto(f, "due") || contiene_esatto(f, "tre"))) ||
               (contiene_esatto(f, "segnali") && contiene_esatto(f, "ripetizione"));
      case parte::percorso:
        return contiene(f, "pendenza") || (crea_linea && contiene(f, "curva")) || contiene(f, "montagna") ||
               contiene(f, "indicatori_v") || (contiene(f, "indicat") && contiene(f, "cartello"));
      case parte::treno:
        return (contiene(f, "frenata") && contiene(f, "massa")) || contiene(f, "vetture") ||
               contiene(f, "velocit") || contiene(f, "aderenza") || contiene(f, "orologio") ||
               contiene(f, "sabbia") || contiene(f, "segnale") || contiene(f, "rallentamento") ||
               contiene(f, "abbattimento") || contiene(f, "stazione");
    }
    return false;
  }

  // The keyword, as an author writes it, of the first record whose text
  // `f` holds (any case), for messages; else `f` itself.
  static std::string prima_parola(std::string_view f) {
    for (const auto* gruppo :
         {std::begin(parole_generali), std::begin(parole_percorso), std::begin(parole_treno)}) {
      const parola_nota* fine = gruppo == std::begin(parole_generali)   ? std::end(parole_generali)
                                : gruppo == std::begin(parole_percorso) ? std::end(parole_percorso)
                                                                        : std::end(parole_treno);
      for (const parola_nota* p = gruppo; p != fine; ++p)
        if (contiene(f, p->prova)) return std::string(p->scritta);
    }
    return std::string(f);
  }

  // A field that opens like a comment of another format and still passes
  // a test: it is read as a record.
  void commento_letto_come_record(parte p, std::string_view f) {
    if (sembra_commento(f) && passa(p, f, crea_linea_))
      avviso(id_messaggio::avviso_commento_falso, riga_chiave_, colonna_chiave_, {std::string(f)});
  }

  void campo_ignorato(parte p, std::string_view f) {
    if (riga_chiave_ == riga_detta_ && colonna_chiave_ == colonna_detta_) return;
    if (f.empty() || intestazione(f)) return;
    // A field that opens with "-" and matches nothing is a comment by
    // intent (one that the comment rule let through): dropped as meant.
    if (const size_t a = f.find_first_not_of(" \t"); a != std::string_view::npos && f[a] == '-') return;
    const int32_t r = riga_chiave_, c = colonna_chiave_;
    const std::string testo(f);
    if (sembra_commento(f)) return void(avviso(id_messaggio::avviso_commento_falso, r, c, {testo}));
    if (solo_numeri(f)) {
      // One warning for a run of values on one line.
      // Nor for the values of a field already reported as ignored.
      const bool gia = !fatti.empty() && fatti.back().fonte == fonte_ && fatti.back().riga == r &&
                       (fatti.back().messaggio == id_messaggio::avviso_valore_sparso ||
                        fatti.back().messaggio == id_messaggio::avviso_parola_ignota ||
                        fatti.back().messaggio == id_messaggio::avviso_parola_ignota_suggerita ||
                        fatti.back().messaggio == id_messaggio::avviso_maiuscole ||
                        fatti.back().messaggio == id_messaggio::avviso_solo_generale ||
                        fatti.back().messaggio == id_messaggio::avviso_non_generale ||
                        fatti.back().messaggio == id_messaggio::avviso_commento_falso ||
                        fatti.back().messaggio == id_messaggio::avviso_commento_con_record);
      if (!gia && r != riga_muta_) avviso(id_messaggio::avviso_valore_sparso, r, c, {testo});
      return;
    }
    const std::string minuscolo = basso(f);
    if (p == parte::generale && passa(p, minuscolo, crea_linea_)) {
      for (std::string_view w : {"progressiva", "sfondo", "ripetizione", "segnali", "uno", "due", "tre"})
        if (!contiene_esatto(f, w) && contiene_esatto(minuscolo, w))
          return void(avviso(id_messaggio::avviso_maiuscole, r, c, {std::string(w), testo}));
    }
    if (p == parte::generale && passa(parte::percorso, f, crea_linea_))
      return void(avviso(id_messaggio::avviso_non_generale, r, c, {prima_parola(f)}));
    if (p == parte::percorso &&
        (passa(parte::generale, f, crea_linea_) || passa(parte::generale, minuscolo, crea_linea_)))
      return void(avviso(id_messaggio::avviso_solo_generale, r, c, {prima_parola(f)}));
    if (p == parte::percorso && !crea_linea_ && contiene(f, "curva")) {
      riga_muta_ = r;  // no plan, no curves: nor a word about their values
      return;
    }
    std::string_view s = p == parte::treno
                             ? suggerimento(f, {parole_treno}, {std::size(parole_treno)})
                             : suggerimento(f, {parole_generali, parole_percorso},
                                            {std::size(parole_generali), std::size(parole_percorso)});
    if (!s.empty())
      return void(avviso(id_messaggio::avviso_parola_ignota_suggerita, r, c, {testo, std::string(s)}));
    avviso(id_messaggio::avviso_parola_ignota, r, c, {testo});
  }

  // A field skipped as a comment that an author meant as a record:
  // "curva-s6", "pendenza -4". A field that opens with "-" is a comment
  // by intent.
  void commento(parte p, std::string_view f) {
    const size_t a = f.find_first_not_of(" \t");
    if (a == std::string_view::npos || f[a] == '-') return;
    if (passa(p, f, crea_linea_))
      avviso(id_messaggio::avviso_commento_con_record, riga_chiave_, colonna_chiave_,
             {std::string(f), prima_parola(f)});
  }

  // After a comment run that reached its bound: the field is tested though
  // it holds "-".
  void commento_oltre(parte p, std::string_view f) {
    if (contiene_esatto(f, "-") && passa(p, f, crea_linea_))
      avviso(id_messaggio::avviso_commento_letto, riga_chiave_, colonna_chiave_,
             {std::string(f), prima_parola(f)});
  }

  // After a text value that ended at a comma: the rest of its line is read
  // as further fields.
  void virgola_dopo(const letto& t) {
    lettore_campi copia = *campi_;
    if (copia.alla_fine()) return;
    std::string_view resto;
    try {
      resto = copia.testo();
    } catch (const fallimento_lettura&) {
      return;
    }
    if (copia.riga_ultimo_campo() != t.riga) return;
    riga_detta_ = copia.riga_ultimo_campo();
    colonna_detta_ = copia.luogo_ultimo_campo().colonna;
    avviso(id_messaggio::avviso_nome_tagliato, t.riga, t.colonna, {t.testo, std::string(resto)});
  }

  // --- Line source
  // ------------------------------------------------------------

  bool trova_generale_linea() {
    int32_t riga_simile = 0, colonna_simile = 0;
    std::string simile;
    bool primo = true;
    for (;;) {
      if (!leggi_chiave()) {
        if (primo)
          errore(25, id_messaggio::verifica_sorgente_vuota, 0, 0);
        else if (simile.empty())
          errore(102, id_messaggio::verifica_linea_senza_generale, 0, 0);
        else
          errore(102, id_messaggio::verifica_linea_generale_storpiata, riga_simile, colonna_simile, {simile});
        return false;
      }
      primo = false;
      if (campi_->alla_fine() && !contiene(chiave_, "[generale]")) {
        if (simile.empty() && generale_storpiata(chiave_)) {
          simile = std::string(chiave_);
          riga_simile = riga_chiave_;
          colonna_simile = colonna_chiave_;
        }
        if (simile.empty())
          errore(102, id_messaggio::verifica_linea_senza_generale, 0, 0);
        else
          errore(102, id_messaggio::verifica_linea_generale_storpiata, riga_simile, colonna_simile, {simile});
        return false;
      }
      if (campi_->alla_fine()) {
        // "[generale]" as the very last field is not found either.
        errore(102, id_messaggio::verifica_linea_senza_generale, riga_chiave_, colonna_chiave_);
        return false;
      }
      if (contiene(chiave_, "[generale]")) return true;
      if (simile.empty() && generale_storpiata(chiave_)) {
        simile = std::string(chiave_);
        riga_simile = riga_chiave_;
        colonna_simile = colonna_chiave_;
      }
    }
  }

  static bool generale_storpiata(std::string_view f) {
    if (!intestazione(f)) return false;
    const size_t a = f.find('['), b = f.find(']', a);
    if (b == std::string_view::npos) return false;
    return distanza_parole(f.substr(a + 1, b - a - 1), "generale") <= 2;
  }

  bool parte_generale() {
    for (;;) {
      if (campi_->alla_fine()) return true;
      if (!leggi_chiave() || campi_->alla_fine()) return true;
      int n = 0;
      for (; n < 10 && contiene_esatto(chiave_, "-"); ++n) {
        commento(parte::generale, chiave_);
        if (!leggi_chiave()) {
          errore_chiave(25, id_messaggio::verifica_valori_mancanti, {std::string("-"), "0", "1"});
          return false;
        }
      }
      if (n == 10) commento_oltre(parte::generale, chiave_);
      record_generale();
      if (intestazione(chiave_)) return true;
    }
  }

  void record_generale() {
    const std::string_view f = chiave_;
    commento_letto_come_record(parte::generale, f);
    bool uno = false;
    std::vector<letto> v;
    if (contiene(f, "lunghezza") && contiene(f, "percorso")) {
      uno = true;
      lunghezza_vista_ = true;
      if (leggi_valori("lunghezza percorso", {{"lunghezza"}}, v)) lunghezza(v[0]);
    }
    const bool progressiva = contiene_esatto(f, "progressiva");
    for (std::string_view n : {"tre", "due", "uno"})
      if (progressiva && contiene_esatto(f, n)) {
        uno = true;
        if (leggi_valori("progressiva", {{"posizione"}, {"progressiva"}, {"indicazione"}}, v) &&
            (v[0].v % 50 != 0 || v[1].v % 50 != 0))
          errore_chiave(2, id_messaggio::verifica_progressiva_fuori_griglia,
                        {numero(v[0].v), numero(v[1].v)});
      }
    const bool sfondo = contiene_esatto(f, "sfondo");
    for (std::string_view n : {"uno", "due", "tre"})
      if (sfondo && contiene_esatto(f, n)) {
        uno = true;
        leggi_valori("sfondo", {{"sfondo"}}, v);
      }
    if (contiene_esatto(f, "segnali") && contiene_esatto(f, "ripetizione")) {
      uno = true;
      if (leggi_valori("ripetizione segnali", {{"inizio"}, {"fine"}}, v)) {
        if (v[0].v % 50 != 0)
          errore_a(3, id_messaggio::verifica_ripetizione_inizio, v[0], {numero(v[0].v)});
        else if (v[1].v % 50 != 0)
          errore_a(4, id_messaggio::verifica_ripetizione_fine, v[1], {numero(v[1].v)});
        else if (!contiene_esatto(f, "4") && !contiene_esatto(f, "9"))
          errore_chiave(5, id_messaggio::verifica_ripetizione_codici, {std::string(f)});
      }
    }
    if (!uno) campo_ignorato(parte::generale, f);
  }

  void lunghezza(const letto& l) {
    lunghezza_vista_ = true;
    // From -7000 m up a route can still be sized (its extended length is
    // what is left of the run-out), so it compiles; below 0 it is surely a
    // slip, and worth a word.
    if (l.v < -7000 || l.v > 1000000) {
      errore_a(1, id_messaggio::verifica_lunghezza_fuori, l, {numero(l.v)});
      return;
    }
    const int64_t estesa = l.v + 7000;
    if (l.v < 0) avviso(id_messaggio::avviso_lunghezza_negativa, l.riga, l.colonna, {numero(l.v), numero(estesa)});
    m_ = modello{};
    m_.lunghezza_estesa = static_cast<int32_t>(estesa);
    m_.ultima_cella = static_cast<int32_t>(cella_di(estesa));
    m_.percorso.assign(static_cast<size_t>(m_.ultima_cella) + 1, cella{});
    chi_.assign(m_.percorso.size(), std::nullopt);
    // The straight plan to the end takes points up to the extended length
    // less 2; the point index may not pass 1000000.
    if (crea_linea_ && estesa - 2 >= 1000000)
      errore_a(103, id_messaggio::verifica_piano_troppo_lungo, l, {numero(l.v)});
  }

  void parte_percorso() {
    m_.n_montagne = 0;
    slot_cartello_ = voce_ultimo_cartello;
    for (;;) {
      if (campi_->alla_fine()) return;
      if (!leggi_chiave() || campi_->alla_fine()) return;
      if (contiene_esatto(chiave_, "-")) {
        commento(parte::percorso, chiave_);
        if (!leggi_chiave() || campi_->alla_fine()) return;
        if (contiene_esatto(chiave_, "-")) {
          commento(parte::percorso, chiave_);
          if (!leggi_chiave() || campi_->alla_fine()) return;
          commento_oltre(parte::percorso, chiave_);
        }
      }
      record_percorso();
    }
  }

  void record_percorso() {
    const std::string_view f = chiave_;
    commento_letto_come_record(parte::percorso, f);
    bool uno = false;
    if (contiene(f, "pendenza")) uno = true, pendenza();
    if (crea_linea_ && contiene(f, "curva")) uno = true, curva(f);
    if (contiene(f, "montagna")) uno = true, montagna();
    if (contiene(f, "indicatori_v")) uno = true, indicatori();
    if (contiene(f, "indicat") && contiene(f, "cartello")) uno = true, cartello();
    if (!uno) campo_ignorato(parte::percorso, f);
  }

  // Order of records that run on to the next one of their kind.
  void in_ordine(precedente& prima, std::string_view parola, const letto& p) {
    const int64_t c = cella_di(p.v);
    if (prima.c && c <= prima.cella) {
      rilievo& r = avviso(
          c < prima.cella ? id_messaggio::avviso_ordine_indietro : id_messaggio::avviso_ordine_stessa_cella,
          p.riga, p.colonna, {std::string(parola), numero(p.v), numero(prima.posizione)});
      r.altra_fonte = fonte_;
      r.altra_riga = prima.riga;
    }
    prima = {true, c, static_cast<int32_t>(p.v), p.riga};
  }

  void pendenza() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("pendenza");
    if (!leggi_valori("pendenza", {{"posizione"}, {"pendenza"}}, v) || !percorso) return;
    if (!entro("pendenza", v[0])) return;
    griglia("pendenza", v[0], 50 * cella_di(v[0].v));
    in_ordine(pendenza_, "pendenza", v[0]);
    if (v[1].v < -100 || v[1].v > 155)
      avviso(id_messaggio::avviso_pendenza_fuori, v[1].riga, v[1].colonna,
             {numero(v[1].v), numero(static_cast<int64_t>(static_cast<uint8_t>(v[1].v + 100)) - 100)});
  }

  void curva(std::string_view f) {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("curva");
    const std::string chiave(f);
    if (!leggi_valori("curva", {{"inizio"}, {"lunghezza"}}, v) || !percorso) return;
    if (!entro("curva", v[0])) return;
    const std::optional<double> k = curvatura_di(chiave);
    if (!k) {
      errore_chiave(103, id_messaggio::verifica_curva_senza_classe, {chiave});
      return;
    }
    // The class is the first of the digits 1 to 6 found; any other digit,
    // or more than one, was meant otherwise.
    const size_t a = chiave.find_first_of("0123456789");
    const size_t b = chiave.find_first_not_of("0123456789", a);
    const std::string cifre = chiave.substr(a, b == std::string::npos ? std::string::npos : b - a);
    char classe = '1';
    for (char d : std::string_view("123456"))
      if (chiave.find(d) != std::string::npos) {
        classe = d;
        break;
      }
    if (cifre != std::string(1, classe))
      avviso(id_messaggio::avviso_curva_classe, riga_chiave_, colonna_chiave_,
             {chiave, std::string(1, classe)});
    const int64_t fine = v[0].v + v[1].v;
    if (fine > m_.lunghezza_estesa) {
      errore_a(103, id_messaggio::verifica_curva_oltre_piano, v[0],
               {numero(v[0].v), numero(v[1].v), numero(m_.lunghezza_estesa)});
      return;
    }
    if (v[0].v + 1 < punto_piano_) {
      rilievo& r = avviso(id_messaggio::avviso_ordine_indietro, v[0].riga, v[0].colonna,
                          {"curva", numero(v[0].v), numero(punto_piano_ - 1)});
      r.altra_fonte = fonte_;
      r.altra_riga = riga_curva_;
    }
    punto_piano_ = std::max(punto_piano_, fine + 1);
    riga_curva_ = riga_chiave_;
  }
  int32_t riga_curva_ = 0;

  void montagna() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("montagna");
    if (!leggi_valori("montagna", {{"inizio"}, {"fine"}, {"tipo"}}, v) || !percorso) return;
    if (!entro("montagna", v[0])) return;
    const int32_t codice_memo = numero(memo_montagna(
        m_, static_cast<int32_t>(v[0].v), static_cast<int32_t>(v[1].v), static_cast<int32_t>(v[2].v)));
    if (codice_memo != 0)
      errore_a(21, id_messaggio::verifica_montagne_troppe, v[0]).posizione = static_cast<int32_t>(v[0].v);
  }

  void indicatori() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("indicatori_vmax");
    if (!leggi_valori(
            "indicatori_vmax",
            {{"posizione"}, {"vas"}, {"vbs"}, {"vcs"}, {"strisces"}, {"vad"}, {"vbd"}, {"vcd"}, {"strisced"}},
            v) ||
        !percorso)
      return;
    if (!entro("indicatori_vmax", v[0])) return;
    griglia("indicatori_vmax", v[0], 50 * (cella_punto(v[0].v) - 1));
    const int64_t c = cella_punto(v[0].v);
    auto i = [&](size_t n) { return static_cast<int32_t>(v[n].v); };
    const int32_t codice_memo =
        numero(memo_indicatori_v_max(m_, i(0), i(1), i(2), i(3), i(4), i(5), i(6), i(7), i(8)));
    if (codice_memo != 0) return cella_rifiutata(21, "indicatori_vmax", v[0], c);
    prendi(c, ruolo::record, "indicatori_vmax", riga_chiave_);
  }

  void cartello() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("cartello_indicatore");
    if (!leggi_valori("cartello_indicatore", {{"posizione"}, {"testo", larghezza::testo}}, v) || !percorso)
      return;
    virgola_dopo(v[1]);
    testo_cartello(v[1]);
    if (!entro("cartello_indicatore", v[0])) return;
    griglia("cartello_indicatore", v[0], 50 * (cella_punto(v[0].v) - 1));
    const int64_t c = cella_punto(v[0].v);
    if (!libera_in(c)) return cella_rifiutata(6, "cartello_indicatore", v[0], c);
    if (slot_cartello_ <= 2) {
      errore_a(10, id_messaggio::verifica_tabella_piena, v[0]);
      return;
    }
    m_.percorso[static_cast<size_t>(c)].tipo = 14;
    prendi(c, ruolo::record, "cartello_indicatore", riga_chiave_);
    --slot_cartello_;
  }

  // A sign's text: its lines in parentheses, each at most 12 characters
  // wide on the board, at most three of them.
  void testo_cartello(const letto& t) {
    int righe = 0;
    size_t p = 0;
    while ((p = t.testo.find('(', p)) != std::string::npos) {
      const size_t q = t.testo.find(')', p);
      const std::string riga = t.testo.substr(p + 1, q == std::string::npos ? std::string::npos : q - p - 1);
      ++righe;
      if (riga.size() > 12) avviso(id_messaggio::avviso_cartello_riga_lunga, t.riga, t.colonna, {riga});
      if (q == std::string::npos) break;
      p = q + 1;
    }
    if (righe == 0 && t.testo.size() > 12)
      avviso(id_messaggio::avviso_cartello_riga_lunga, t.riga, t.colonna, {t.testo});
    if (righe > 3) avviso(id_messaggio::avviso_cartello_righe, t.riga, t.colonna, {numero(righe)});
  }

  // --- Train source
  // -----------------------------------------------------------

  bool trova_generale_treno() {
    std::string simile;
    int32_t riga_simile = 0, colonna_simile = 0;
    while (!campi_->alla_fine()) {
      if (!leggi_chiave()) break;
      if (contiene(chiave_, "[generale]")) return true;
      if (simile.empty() && generale_storpiata(chiave_)) {
        simile = std::string(chiave_);
        riga_simile = riga_chiave_;
        colonna_simile = colonna_chiave_;
      }
    }
    if (simile.empty())
      avviso(id_messaggio::avviso_treno_senza_generale, 0, 0);
    else
      avviso(id_messaggio::avviso_treno_generale_storpiata, riga_simile, colonna_simile, {simile});
    return false;
  }

  void parte_treno() {
    for (;;) {
      if (campi_->alla_fine()) return;
      if (!leggi_chiave() || campi_->alla_fine()) return;
      int n = 0;
      for (; n < 2 && contiene(chiave_, "-"); ++n) {
        commento(parte::treno, chiave_);
        if (!leggi_chiave() || campi_->alla_fine()) return;
      }
      if (n == 2) commento_oltre(parte::treno, chiave_);
      record_treno();
    }
  }

  void record_treno() {
    const std::string_view f = chiave_;
    commento_letto_come_record(parte::treno, f);
    bool uno = false;
    std::vector<letto> v;
    if (contiene(f, "frenata") && contiene(f, "massa"))
      uno = true, leggi_valori("massa frenata", {{"percentuale"}}, v);
    if (contiene(f, "vetture")) uno = true, leggi_valori("vetture", {{"numero"}}, v);
    if (contiene(f, "velocit")) uno = true, velocita();
    if (contiene(f, "aderenza")) uno = true, aderenza();
    if (contiene(f, "orologio")) {
      uno = true;
      if (leggi_valori("orologio",
                       {{"ore", larghezza::l16}, {"minuti", larghezza::l16}, {"secondi", larghezza::l16}}, v))
        ora(v[0], v[0].v, v[1].v, v[2].v);
    }
    if (contiene(f, "sabbia")) uno = true, leggi_valori("sabbia", {{"sabbia", larghezza::l16}}, v);
    if (contiene(f, "segnale")) uno = true, segnale();
    if (contiene(f, "rallentamento")) uno = true, rallentamento();
    if (contiene(f, "abbattimento")) uno = true, abbattimento();
    if (contiene(f, "stazione")) uno = true, stazione();
    if (!uno) campo_ignorato(parte::treno, f);
  }

  void ora(const letto& dove, int64_t h, int64_t m, int64_t s) {
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
      avviso(id_messaggio::avviso_ora_del_giorno, dove.riga, dove.colonna, {numero(h), numero(m), numero(s)});
  }

  void primo_a_zero(const precedente& prima, std::string_view parola, const letto& p) {
    if (!prima.c && p.v != 0)
      avviso(id_messaggio::avviso_primo_non_a_zero, p.riga, p.colonna, {std::string(parola), numero(p.v)});
  }

  void velocita() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("velocita");
    if (!leggi_valori("velocita", {{"posizione"}, {"velocita"}}, v) || !percorso) return;
    if (!entro("velocita", v[0])) return;
    griglia("velocita", v[0], 50 * cella_di(v[0].v));
    primo_a_zero(velocita_, "velocita", v[0]);
    in_ordine(velocita_, "velocita", v[0]);
    const int64_t q = arrotonda_frazione(v[1].v, 5);
    if (q < 0 || q > 255) {
      errore_a(25, id_messaggio::verifica_velocita_oltre_byte, v[1], {numero(v[1].v)});
      return;
    }
    if (v[1].v % 5 != 0)
      avviso(id_messaggio::avviso_velocita_non_multipla, v[1].riga, v[1].colonna,
             {numero(v[1].v), numero(5 * q)});
    else if (v[1].v > 300)
      avviso(id_messaggio::avviso_velocita_alta, v[1].riga, v[1].colonna, {numero(v[1].v)});
  }

  void aderenza() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("aderenza");
    if (!leggi_valori("aderenza", {{"posizione"}, {"aderenza"}}, v) || !percorso) return;
    if (!entro("aderenza", v[0])) return;
    griglia("aderenza", v[0], 50 * cella_di(v[0].v));
    primo_a_zero(aderenza_, "aderenza", v[0]);
    in_ordine(aderenza_, "aderenza", v[0]);
    if (v[1].v < 0 || v[1].v > 255)
      avviso(id_messaggio::avviso_aderenza_fuori, v[1].riga, v[1].colonna,
             {numero(v[1].v), numero(v[1].v & 0xFF)});
  }

  void segnale() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("segnale");
    if (!leggi_valori("segnale",
                      {{"posizione"},
                       {"sx"},
                       {"s1"},
                       {"s2"},
                       {"s3"},
                       {"rapp"},
                       {"dx"},
                       {"d1"},
                       {"d2"},
                       {"d3"},
                       {"tempo"}},
                      v) ||
        !percorso)
      return;
    if (!entro("segnale", v[0])) return;
    griglia("segnale", v[0], 50 * (cella_punto(v[0].v) - 1));
    const int64_t c = cella_punto(v[0].v);
    auto i = [&](size_t n) { return static_cast<int32_t>(v[n].v); };
    const int32_t codice_memo =
        numero(memo_segnale(m_, i(0), i(1), i(2), i(3), i(4), i(5), i(6), i(7), i(8), i(9), i(10)));
    if (codice_memo != 0) return cella_rifiutata(16, "segnale", v[0], c);
    prendi(c, ruolo::record, "segnale", riga_chiave_);
    fermato_dalla_linea("segnale", v[0]);
  }

  void rallentamento() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("rallentamento");
    if (!leggi_valori("rallentamento",
                      {{"posizione"}, {"velocita"}, {"lunghezza"}, {"f_tt"}, {"f_ta"}, {"d_v"}}, v) ||
        !percorso)
      return;
    if (!entro("rallentamento", v[0])) return;
    griglia("rallentamento", v[0], 50 * (cella_punto(v[0].v) - 1));
    const int64_t x = v[0].v, l = v[2].v;
    const int64_t w = cella_punto(x - 1200), s = cella_punto(x), e = cella_punto(x + l),
                  k = cella_di(x - 1200);
    auto i = [&](size_t n) { return static_cast<int32_t>(v[n].v); };
    const int32_t codice_memo = numero(memo_rallentamento(m_, i(0), i(1), i(2), i(3), i(4), i(5)));
    const int32_t codice = codice_memo;
    if (codice == 17) return cella_rifiutata(17, "rallentamento", v[0], w);
    if (codice == 18) return cella_rifiutata(18, "rallentamento", v[0], s);
    if (codice == 19) return cella_rifiutata(19, "rallentamento", v[0], e);
    prendi(e, ruolo::fine, "rallentamento", riga_chiave_);
    prendi(s, ruolo::inizio, "rallentamento", riga_chiave_);
    if (x > 1500) prendi(w, ruolo::preavviso, "rallentamento", riga_chiave_);
    if (codice == 20) {
      for (int64_t d = 0; d <= 3; ++d)
        if (!libera_in(k - d)) return cella_rifiutata(20, "rallentamento", v[0], k - d);
      return;
    }
    if (x > 1500 && v[4].v != 0)
      for (int64_t d = 0; d <= 3; ++d) prendi(k - d, ruolo::approccio, "rallentamento", riga_chiave_);
    fermato_dalla_linea("rallentamento", v[0]);
  }

  // The reader tests the error state after each signal and slow-down: a
  // code 15 left by the line phase ends the train phase at the first one
  // placed, with that record's position.
  void fermato_dalla_linea(std::string_view parola, const letto& p) {
    if (riga_quindici_linea_ == 0 || quindici_detto_) return;
    quindici_detto_ = true;
    rilievo& r =
        errore_a(15, id_messaggio::verifica_fermato_dalla_linea, p, {std::string(parola), numero(p.v)});
    r.posizione = static_cast<int32_t>(p.v);
    r.altra_fonte = sorgente::linea;
    r.altra_riga = riga_quindici_linea_;
  }

  void abbattimento() {
    std::vector<letto> v;
    const bool percorso = richiedi_percorso("abbattimento");
    if (!leggi_valori("abbattimento", {{"posizione"}, {"valore"}}, v) || !percorso) return;
    if (!entro("abbattimento", v[0])) return;
    griglia("abbattimento", v[0], 50 * cella_di(v[0].v));
    const int64_t c = cella_di(v[0].v);
    if (!libera_in(c)) return cella_rifiutata(7, "abbattimento", v[0], c);
    m_.percorso[static_cast<size_t>(c)].tipo = v[1].v > 0 ? 12 : 13;
    prendi(c, ruolo::record, "abbattimento", riga_chiave_);
  }

  void stazione() {
    if (indice_stazione_ >= slot_cartello_) {
      errore_chiave(10, id_messaggio::verifica_tabella_piena);
      return;
    }
    const bool percorso = richiedi_percorso("stazione");
    std::vector<letto> v;
    const std::initializer_list<campo> campi = {{"posizione"},
                                                {"tipo", larghezza::l8},
                                                {"lunghezza"},
                                                {"byte1", larghezza::l8},
                                                {"byte5", larghezza::l8},
                                                {"byte4", larghezza::l8},
                                                {"intero1", larghezza::l16},
                                                {"intero2", larghezza::l16},
                                                {"byte2", larghezza::l8},
                                                {"intero3", larghezza::l16},
                                                {"intero4", larghezza::l16},
                                                {"intero5", larghezza::l16},
                                                {"byte3", larghezza::l8},
                                                {"ore"},
                                                {"minuti"},
                                                {"secondi"},
                                                {"nome", larghezza::testo}};
    // The reader checks the position before it reads the kind, and the
    // length before the rest: a failed check ends the record there. The
    // rest is still read here, silently, so that it is not taken for
    // further records.
    auto resto_muto = [&](size_t da) {
      const size_t fatti_prima = fatti.size();
      leggi_valori("stazione", campi, v, da);
      fatti.resize(fatti_prima);
    };
    if (!percorso) return resto_muto(0);
    if (!leggi_valori("stazione", campi, v, 0, 1)) return;
    const letto P = v[0];
    if (!entro("stazione", P, 800)) return resto_muto(1);
    if (P.v % 50 != 0) {
      errore_a(8, id_messaggio::verifica_stazione_fuori_griglia, P, {numero(P.v)}).posizione =
          static_cast<int32_t>(P.v);
      return resto_muto(1);
    }
    if (!leggi_valori("stazione", campi, v, 1, 3)) return;
    const int64_t tipo = v[1].v, L = v[2].v;
    if (L % 100 != 0) {
      errore_a(9, id_messaggio::verifica_stazione_lunghezza, v[2], {numero(P.v), numero(L)}).posizione =
          static_cast<int32_t>(P.v);
      return resto_muto(3);
    }
    if (!leggi_valori("stazione", campi, v, 3)) return;
    virgola_dopo(v[16]);
    const bool noto = (tipo >= 5 && tipo <= 8) || tipo == 11 || tipo == 12 || tipo == 24 || tipo >= 25;
    if (!noto) avviso(id_messaggio::avviso_tipo_stazione, v[1].riga, v[1].colonna, {numero(tipo)});
    if (v[13].v != 0 || v[14].v != 0 || v[15].v != 0) ora(v[13], v[13].v, v[14].v, v[15].v);

    int64_t inizio = 0, fine = 0;
    const bool byte4 = v[5].v != 0;
    if (tipo == 5 || tipo == 6) {
      inizio = P.v - L;
      fine = P.v + 150;
    } else if (tipo == 7 || tipo == 8) {
      inizio = P.v - L;
      fine = P.v + L;
    } else {
      inizio = P.v - L / 2;
      fine = P.v + L / 2 + (byte4 ? 50 : 0);
    }
    if (tipo < 25) {
      const bool ha_fermata = fine > 100;
      const int64_t c = arrotonda_frazione(fine - 50, 50);
      if (ha_fermata && c > m_.ultima_cella) {
        errore_a(15, id_messaggio::verifica_oltre_percorso, P,
                 {"stazione", numero(P.v), numero(50 * int64_t{m_.ultima_cella} - 800)})
            .posizione = static_cast<int32_t>(P.v);
        return;
      }
      if (!ha_fermata) {
        errore_a(24, id_messaggio::verifica_stazione_troppo_presto, P, {numero(P.v), numero(fine)});
        return;
      }
      if (nel_percorso(c)) {
        cella& z = m_.percorso[static_cast<size_t>(c)];
        if (!libera(z) && z.tipo != 10 && chi_[static_cast<size_t>(c)]) {
          const occupante& o = *chi_[static_cast<size_t>(c)];
          rilievo& r =
              avviso(id_messaggio::avviso_fermata_sovrascrive, P.riga, P.colonna, {numero(c), o.parola});
          r.altra_fonte = o.fonte;
          r.altra_riga = o.riga;
        }
        z.tipo = 10;
        prendi(c, ruolo::fermata, "stazione", riga_chiave_);
      }
    }
    if (indice_stazione_ > 1 && inizio - 350 < fine_precedente_) {
      rilievo& r = errore_a(22, id_messaggio::verifica_stazioni_vicine, P,
                            {numero(P.v), numero(inizio), numero(fine_precedente_)});
      r.posizione = static_cast<int32_t>(P.v);
      r.altra_fonte = fonte_;
      r.altra_riga = riga_precedente_;
    }
    fine_precedente_ = static_cast<int32_t>(fine);
    riga_precedente_ = riga_chiave_;
    ++indice_stazione_;
    if (indice_stazione_ >= slot_cartello_) errore_chiave(10, id_messaggio::verifica_tabella_piena);
  }
};

}  // namespace

std::vector<rilievo> verifica_sorgenti(std::string_view linea, std::optional<std::string_view> treno,
                                       bool crea_linea) {
  verificatore v(crea_linea);
  v.linea(linea);
  if (treno)
    v.treno(*treno);
  else
    v.treno_assente();
  return std::move(v.fatti);
}

}  // namespace compattatore
