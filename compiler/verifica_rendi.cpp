#include "compiler/verifica_rendi.h"

namespace compattatore {
namespace {

void aggiungi_argomento(std::string& s, std::string_view a) {
  static const char cifre[] = "0123456789abcdef";
  for (char ch : a) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) {
      s += "\\x";
      s += cifre[c >> 4];
      s += cifre[c & 0xF];
    } else {
      s += ch;
    }
  }
}

std::string_view file_di(sorgente f, std::string_view linea, std::string_view treno) {
  if (f == sorgente::linea) return linea;
  if (f == sorgente::treno) return treno;
  return {};
}

}  // namespace

std::string rendi_messaggio(messaggio_verifica id, const std::vector<std::string>& argomenti,
                            std::string_view altro, lingua_rilievi l) {
  const testo_messaggio& t = testo_di(id);
  const std::string_view modello = l == lingua_rilievi::inglese ? t.inglese : t.italiano;
  std::string s;
  for (size_t i = 0; i < modello.size(); ++i) {
    if (modello[i] == '{' && i + 2 < modello.size() && modello[i + 2] == '}' && modello[i + 1] >= '0' &&
        modello[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(modello[i + 1] - '0');
      if (n == 0)
        aggiungi_argomento(s, altro);
      else if (n <= argomenti.size())
        aggiungi_argomento(s, argomenti[n - 1]);
      i += 2;
      continue;
    }
    s += modello[i];
  }
  return s;
}

std::string messaggio_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                              lingua_rilievi l) {
  std::string altro;
  if (r.altra_fonte != sorgente::nessuna) {
    altro = std::string(file_di(r.altra_fonte, file_linea, file_treno));
    if (r.altra_riga > 0) altro += ":" + std::to_string(r.altra_riga);
  }
  return rendi_messaggio(r.messaggio, r.argomenti, altro, l);
}

std::string formatta_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                             lingua_rilievi l) {
  const bool en = l == lingua_rilievi::inglese;
  std::string s;
  const std::string_view file = file_di(r.fonte, file_linea, file_treno);
  if (!file.empty()) {
    s += file;
    if (r.riga > 0) {
      s += ":" + std::to_string(r.riga);
      if (r.colonna > 0) s += ":" + std::to_string(r.colonna);
    }
    s += ": ";
  }
  switch (r.livello) {
    case livello_rilievo::errore:
      // An error that stores no code (a source that cannot be read as
      // text) has no number.
      s += en ? "error" : "errore";
      if (r.codice != 0) s += " " + std::to_string(r.codice);
      s += ": ";
      break;
    case livello_rilievo::avviso:
      s += en ? "warning: " : "avviso: ";
      break;
    case livello_rilievo::nota:
      s += en ? "note: " : "nota: ";
      break;
  }
  s += messaggio_rilievo(r, file_linea, file_treno, l);
  if (r.posizione) s += (en ? " (position " : " (posizione ") + std::to_string(*r.posizione) + " m)";
  const std::string_view nome = testo_di(r.messaggio).nome;
  if (r.livello == livello_rilievo::avviso && !nome.empty()) s += " [-W" + std::string(nome) + "]";
  return s;
}

}  // namespace compattatore
