#include "app/x11_dinamico.h"

#include <dlfcn.h>

namespace compattatore {

namespace {

template <typename F>
bool cerca(void* libreria, const char* nome, F& f) {
  f = reinterpret_cast<F>(::dlsym(libreria, nome));
  return f != nullptr;
}

}  // namespace

bool carica_x11(const char* nome, funzioni_x11& f) {
  f = funzioni_x11{};
  // RTLD_LOCAL: nothing of libX11 leaks into the program's own symbols.
  void* l = ::dlopen(nome, RTLD_NOW | RTLD_LOCAL);
  if (!l) return false;
#define CERCA(funzione) cerca(l, #funzione, f.funzione)
  bool tutte = CERCA(XOpenDisplay) && CERCA(XSetErrorHandler) && CERCA(XSetIOErrorHandler) &&
               CERCA(XInternAtom) && CERCA(XCreateSimpleWindow) && CERCA(XDestroyWindow) && CERCA(XStoreName) &&
               CERCA(XSetClassHint) && CERCA(XSetWMNormalHints) && CERCA(XSetWMProtocols) &&
               CERCA(XSetTransientForHint) && CERCA(XChangeProperty) && CERCA(XSelectInput) &&
               CERCA(XMapRaised) && CERCA(XSetInputFocus) && CERCA(XPending) && CERCA(XNextEvent) &&
               CERCA(XLookupKeysym) && CERCA(XSync) && CERCA(XLoadQueryFont) && CERCA(XQueryFont) &&
               CERCA(XFreeFont) && CERCA(XFreeFontInfo) &&
               CERCA(XGContextFromGC) && CERCA(XTextWidth) && CERCA(XCreateGC) && CERCA(XFreeGC) &&
               CERCA(XSetFont) && CERCA(XSetForeground) && CERCA(XSetClipRectangles) && 
               CERCA(XCreatePixmap) && CERCA(XFreePixmap) && CERCA(XSetWindowBackgroundPixmap) &&
               CERCA(XClearWindow) && CERCA(XFillRectangle) && CERCA(XDrawRectangle) && CERCA(XDrawLine) &&
               CERCA(XDrawString);
#undef CERCA
  if (!tutte) {
    ::dlclose(l);
    f = funzioni_x11{};
    return false;
  }
  f.libreria = l;
  return true;
}

}  // namespace compattatore
