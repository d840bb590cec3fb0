#include "app/finestra_x11.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <poll.h>

#include <chrono>
#include <csetjmp>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "app/x11_dinamico.h"

namespace compattatore {

namespace {

// One connection for the whole run, opened at the first call.
struct stato_x11 {
  funzioni_x11 f;
  Display* d = nullptr;
  bool provato = false;  // the connection was tried, successfully or not
  bool perso = false;    // the server went away: X is not touched again
  Window form1 = 0;
};
stato_x11 s;

// A lost connection (the server ended, the connection was killed) must not
// end the run: Xlib would exit after its handler returns, so the handler
// jumps back to the public function that made the call, which returns false
// and lets the caller go on with the console. The connection is never used
// again. Every X call is made below a setjmp of `ritorno`, in frames that
// hold no object with a destructor.
std::jmp_buf ritorno;
bool ritorno_pronto = false;

int su_errore_io(Display*) {
  s.perso = true;
  if (ritorno_pronto) std::longjmp(ritorno, 1);
  return 0;  // not reached: X is called nowhere else
}

// A request the server refuses (a font it does not have, focus on a window
// a window manager has not shown yet) only leaves that detail undone.
int su_errore(Display*, XErrorEvent*) { return 0; }

bool apri(const char* libreria) {
  if (s.provato) return s.d != nullptr && !s.perso;
  s.provato = true;
  const char* schermo = std::getenv("DISPLAY");
  if (!schermo || !*schermo) return false;
  if (!carica_x11(libreria, s.f)) return false;
  // A request written just as the server goes away must come back as a
  // lost connection (su_errore_io), not as a signal that ends the program.
  std::signal(SIGPIPE, SIG_IGN);
  s.f.XSetErrorHandler(su_errore);
  s.f.XSetIOErrorHandler(su_errore_io);
  s.d = s.f.XOpenDisplay(nullptr);
  return s.d != nullptr;
}

// The first face the server has among `modelli`, else the server's default
// font (the one of a fresh GC, left as the GC's font), else none: metrics
// are then guessed and text is still drawn in whatever font the GC holds.
struct carattere {
  XFontStruct* c = nullptr;
  bool caricato = false;  // loaded by us, so unloaded by us too
};

carattere scegli_carattere(const char* const* modelli, int quanti) {
  for (int i = 0; i < quanti; ++i)
    if (XFontStruct* c = s.f.XLoadQueryFont(s.d, modelli[i])) return {c, true};
  return {s.f.XQueryFont(s.d, s.f.XGContextFromGC(DefaultGC(s.d, DefaultScreen(s.d)))), false};
}

// Once the picture is drawn the font is no longer needed.
void libera(const carattere& c) {
  if (!c.c) return;
  if (c.caricato) s.f.XFreeFont(s.d, c.c);
  else s.f.XFreeFontInfo(nullptr, c.c, 1);
}

// On a 24-bit true-colour screen a pixel value is its 0xRRGGBB colour, and
// the windows take the classic dialog greys. Elsewhere a fixed value would be
// some other colour, so they are drawn in black and white only.
unsigned long pixel_rgb(unsigned long rgb, unsigned long altrimenti) {
  Visual* v = DefaultVisual(s.d, DefaultScreen(s.d));
  bool diretto =
      v->c_class == TrueColor && v->red_mask == 0xff0000 && v->green_mask == 0x00ff00 && v->blue_mask == 0x0000ff;
  return diretto ? rgb : altrimenti;
}

unsigned long pixel_sfondo() { return pixel_rgb(0xd4d0c8, WhitePixel(s.d, DefaultScreen(s.d))); }

// A top-level window of fixed size, centred on the screen, with our title
// and class. Neither window can be resized: both hold a fixed picture.
Window crea_finestra(int larghezza, int altezza, const char* nome_classe) {
  int sc = DefaultScreen(s.d);
  int x = (DisplayWidth(s.d, sc) - larghezza) / 2;
  int y = (DisplayHeight(s.d, sc) - altezza) / 2;
  Window w = s.f.XCreateSimpleWindow(s.d, RootWindow(s.d, sc), x < 0 ? 0 : x, y < 0 ? 0 : y,
                                     static_cast<unsigned>(larghezza), static_cast<unsigned>(altezza), 0,
                                     BlackPixel(s.d, sc), pixel_sfondo());
  s.f.XStoreName(s.d, w, titolo_programma);
  char nome[32], classe[] = "Compattatore";
  std::strncpy(nome, nome_classe, sizeof nome - 1);
  nome[sizeof nome - 1] = 0;
  XClassHint ch{nome, classe};
  s.f.XSetClassHint(s.d, w, &ch);
  XSizeHints sh{};
  sh.flags = PPosition | PSize | PMinSize | PMaxSize;
  sh.x = x;
  sh.y = y;
  sh.width = sh.min_width = sh.max_width = larghezza;
  sh.height = sh.min_height = sh.max_height = altezza;
  s.f.XSetWMNormalHints(s.d, w, &sh);
  return w;
}

// The picture is drawn once into a pixmap that becomes the window's
// background: the server then paints it by itself whenever the window is
// shown or uncovered, with no event handled by us, as the run handles none
// while it works.
struct pittura {
  Pixmap p;
  GC gc;
};

pittura inizia_pittura(Window w, int larghezza, int altezza) {
  int sc = DefaultScreen(s.d);
  pittura t;
  t.p = s.f.XCreatePixmap(s.d, w, static_cast<unsigned>(larghezza), static_cast<unsigned>(altezza),
                          static_cast<unsigned>(DefaultDepth(s.d, sc)));
  t.gc = s.f.XCreateGC(s.d, t.p, 0, nullptr);
  s.f.XSetForeground(s.d, t.gc, pixel_sfondo());
  s.f.XFillRectangle(s.d, t.p, t.gc, 0, 0, static_cast<unsigned>(larghezza), static_cast<unsigned>(altezza));
  s.f.XSetForeground(s.d, t.gc, BlackPixel(s.d, sc));
  return t;
}

void scrivi(const pittura& t, XFontStruct* c, int x, int alto, const char* testo) {
  if (c) s.f.XSetFont(s.d, t.gc, c->fid);
  int sopra = c ? c->ascent : 10;
  s.f.XDrawString(s.d, t.p, t.gc, x, alto + sopra, testo, static_cast<int>(std::strlen(testo)));
}

int larghezza_testo(XFontStruct* c, const char* testo) {
  return c ? s.f.XTextWidth(c, testo, static_cast<int>(std::strlen(testo)))
           : 6 * static_cast<int>(std::strlen(testo));
}

void finisci_pittura(Window w, const pittura& t) {
  s.f.XSetWindowBackgroundPixmap(s.d, w, t.p);
  s.f.XClearWindow(s.d, w);
  s.f.XFreeGC(s.d, t.gc);
  s.f.XFreePixmap(s.d, t.p);
}

// Maps the window and waits until the server says it is mapped, so that its
// picture is on the screen before the caller goes on. A server that never
// answers (a window manager that holds the window back) is waited for two
// seconds at most: the run must not hang on a window.
void mostra_e_attendi(Window w) {
  s.f.XMapRaised(s.d, w);
  s.f.XSync(s.d, False);
  const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  for (;;) {
    while (s.f.XPending(s.d) > 0) {
      XEvent e;
      s.f.XNextEvent(s.d, &e);
      if (e.type == MapNotify && e.xmap.window == w) {
        s.f.XSync(s.d, False);
        return;
      }
    }
    auto resto = std::chrono::duration_cast<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
    if (resto.count() <= 0) break;
    pollfd p{ConnectionNumber(s.d), POLLIN, 0};
    ::poll(&p, 1, static_cast<int>(resto.count()));
  }
  s.f.XSync(s.d, False);
}

// Sets a property that holds one atom.
void proprieta_atomo(Window w, const char* proprieta, const char* valore) {
  Atom a = s.f.XInternAtom(s.d, valore, False);
  s.f.XChangeProperty(s.d, w, s.f.XInternAtom(s.d, proprieta, False), XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&a), 1);
}

// Draws a push button in the raised look of a dialog's default button.
void disegna_bottone(const pittura& t, XFontStruct* c, int x, int y, const char* testo) {
  int sc = DefaultScreen(s.d);
  unsigned lw = bottone_larghezza, lh = bottone_altezza;
  s.f.XSetForeground(s.d, t.gc, BlackPixel(s.d, sc));
  s.f.XDrawRectangle(s.d, t.p, t.gc, x, y, lw - 1, lh - 1);
  s.f.XSetForeground(s.d, t.gc, WhitePixel(s.d, sc));
  s.f.XDrawLine(s.d, t.p, t.gc, x + 1, y + 1, x + bottone_larghezza - 3, y + 1);
  s.f.XDrawLine(s.d, t.p, t.gc, x + 1, y + 1, x + 1, y + bottone_altezza - 3);
  s.f.XSetForeground(s.d, t.gc, pixel_rgb(0x808080, BlackPixel(s.d, sc)));
  s.f.XDrawLine(s.d, t.p, t.gc, x + 1, y + bottone_altezza - 2, x + bottone_larghezza - 2, y + bottone_altezza - 2);
  s.f.XDrawLine(s.d, t.p, t.gc, x + bottone_larghezza - 2, y + 1, x + bottone_larghezza - 2, y + bottone_altezza - 2);
  s.f.XSetForeground(s.d, t.gc, BlackPixel(s.d, sc));
  int alto = c ? c->ascent + c->descent : 13;
  scrivi(t, c, x + (bottone_larghezza - larghezza_testo(c, testo)) / 2, y + (bottone_altezza - alto) / 2, testo);
}

const char* const caratteri_etichetta[] = {
    // 24 points at 15 twips per pixel (96 pixels per inch): the faces made
    // for 100 dpi come nearest, then the same face at any resolution.
    "-*-helvetica-bold-r-normal--*-240-100-100-p-*-iso8859-1",
    "-*-helvetica-bold-r-normal--*-240-*-*-p-*-iso8859-1",
    "-*-*-bold-r-normal-sans-*-240-*-*-p-*-iso8859-1",
    "-*-*-bold-r-*-*-*-240-*-*-*-*-iso8859-1",
    "-*-*-bold-*-*-*-*-240-*-*-*-*-*-*",
    "fixed",
};

const char* const caratteri_messaggio[] = {
    "-*-helvetica-medium-r-normal--*-120-100-100-p-*-iso8859-1",
    "-*-helvetica-medium-r-normal--*-120-*-*-p-*-iso8859-1",
    "-*-*-medium-r-normal-sans-*-120-*-*-p-*-iso8859-1",
    "fixed",
};

constexpr int quanti(const auto& elenco) { return static_cast<int>(sizeof elenco / sizeof elenco[0]); }

void disegna_form1() {
  s.form1 = crea_finestra(form1_larghezza, form1_altezza, "Form1");
  s.f.XSelectInput(s.d, s.form1, StructureNotifyMask);
  carattere c = scegli_carattere(caratteri_etichetta, quanti(caratteri_etichetta));
  pittura t = inizia_pittura(s.form1, form1_larghezza, form1_altezza);
  // The label is not word-wrapped: what does not fit in its box is cut.
  XRectangle box{etichetta_sinistra, etichetta_alto, etichetta_larghezza, etichetta_altezza};
  s.f.XSetClipRectangles(s.d, t.gc, 0, 0, &box, 1, Unsorted);
  scrivi(t, c.c, etichetta_sinistra, etichetta_alto, "Attendere");
  finisci_pittura(s.form1, t);
  libera(c);
  mostra_e_attendi(s.form1);
}

void messaggio_modale(const char* testo) {
  carattere scelto = scegli_carattere(caratteri_messaggio, quanti(caratteri_messaggio));
  XFontStruct* c = scelto.c;
  const int alto_testo = c ? c->ascent + c->descent : 13;
  const int larghezza_scritta = larghezza_testo(c, testo);
  const int larghezza = larghezza_scritta + 60 > 240 ? larghezza_scritta + 60 : 240;
  const int altezza = 24 + alto_testo + 24 + bottone_altezza + bottone_margine;
  Window w = crea_finestra(larghezza, altezza, "errore");

  // A dialog of our window, modal: the window manager keeps it above Form1
  // and Form1 takes no input meanwhile (it asks for none anyway).
  if (s.form1) s.f.XSetTransientForHint(s.d, w, s.form1);
  proprieta_atomo(w, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG");
  proprieta_atomo(w, "_NET_WM_STATE", "_NET_WM_STATE_MODAL");
  Atom protocolli = s.f.XInternAtom(s.d, "WM_PROTOCOLS", False);
  Atom chiudi = s.f.XInternAtom(s.d, "WM_DELETE_WINDOW", False);
  s.f.XSetWMProtocols(s.d, w, &chiudi, 1);
  s.f.XSelectInput(s.d, w, KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);

  pittura t = inizia_pittura(w, larghezza, altezza);
  scrivi(t, c, (larghezza - larghezza_scritta) / 2, 24, testo);
  const int bx = (larghezza - bottone_larghezza) / 2;
  const int by = altezza - bottone_margine - bottone_altezza;
  disegna_bottone(t, c, bx, by, "OK");
  finisci_pittura(w, t);
  libera(scelto);
  mostra_e_attendi(w);
  s.f.XSetInputFocus(s.d, w, RevertToPointerRoot, CurrentTime);
  s.f.XSync(s.d, False);

  // The button acts as a push button does: pressed and released on it.
  auto sul_bottone = [&](const XButtonEvent& b) {
    return b.button == Button1 && b.x >= bx && b.x < bx + bottone_larghezza && b.y >= by &&
           b.y < by + bottone_altezza;
  };
  bool premuto = false;
  for (bool chiusa = false; !chiusa;) {
    XEvent e;
    s.f.XNextEvent(s.d, &e);
    if (e.xany.window != w) continue;
    switch (e.type) {
      case KeyPress: {
        KeySym k = s.f.XLookupKeysym(&e.xkey, 0);
        chiusa = k == XK_Return || k == XK_KP_Enter || k == XK_space || k == XK_Escape;
        break;
      }
      case ButtonPress:
        premuto = sul_bottone(e.xbutton);
        break;
      case ButtonRelease:
        chiusa = premuto && sul_bottone(e.xbutton);
        premuto = false;
        break;
      case ClientMessage:
        chiusa = e.xclient.message_type == protocolli && static_cast<Atom>(e.xclient.data.l[0]) == chiudi;
        break;
      case DestroyNotify:
        // Destroyed from outside: as closed.
        chiusa = true;
        break;
      default:
        break;
    }
  }
  s.f.XDestroyWindow(s.d, w);
  s.f.XSync(s.d, False);
}

}  // namespace

// The setjmp of a lost connection stands in these two functions, which hold
// no local that the jump back could leave stale.
bool mostra_finestra_x11(const char* libreria) {
  if (!apri(libreria)) return false;
  ritorno_pronto = true;
  if (setjmp(ritorno) == 0) disegna_form1();
  ritorno_pronto = false;
  return !s.perso;
}

bool mostra_messaggio_x11(const char* libreria, const char* testo) {
  if (!apri(libreria)) return false;
  ritorno_pronto = true;
  if (setjmp(ritorno) == 0) messaggio_modale(testo);
  ritorno_pronto = false;
  return !s.perso;
}

}  // namespace compattatore
