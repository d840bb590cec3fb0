// The few Xlib functions the window layer uses, looked up at run time in a
// libX11 opened with dlopen. The one-shot program is not linked against
// libX11: on a machine without it the program still starts and falls back to
// the console.
//
// Xlib's own headers give the types, the constants and the function types
// (decltype of a declaration references no symbol); only libdl is linked.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace compattatore {

struct funzioni_x11 {
  void* libreria = nullptr;
  decltype(&::XOpenDisplay) XOpenDisplay = nullptr;
  decltype(&::XSetErrorHandler) XSetErrorHandler = nullptr;
  decltype(&::XSetIOErrorHandler) XSetIOErrorHandler = nullptr;
  decltype(&::XInternAtom) XInternAtom = nullptr;
  decltype(&::XCreateSimpleWindow) XCreateSimpleWindow = nullptr;
  decltype(&::XDestroyWindow) XDestroyWindow = nullptr;
  decltype(&::XStoreName) XStoreName = nullptr;
  decltype(&::XSetClassHint) XSetClassHint = nullptr;
  decltype(&::XSetWMNormalHints) XSetWMNormalHints = nullptr;
  decltype(&::XSetWMProtocols) XSetWMProtocols = nullptr;
  decltype(&::XSetTransientForHint) XSetTransientForHint = nullptr;
  decltype(&::XChangeProperty) XChangeProperty = nullptr;
  decltype(&::XSelectInput) XSelectInput = nullptr;
  decltype(&::XMapRaised) XMapRaised = nullptr;
  decltype(&::XSetInputFocus) XSetInputFocus = nullptr;
  decltype(&::XPending) XPending = nullptr;
  decltype(&::XNextEvent) XNextEvent = nullptr;
  decltype(&::XLookupKeysym) XLookupKeysym = nullptr;
  decltype(&::XSync) XSync = nullptr;
  decltype(&::XLoadQueryFont) XLoadQueryFont = nullptr;
  decltype(&::XQueryFont) XQueryFont = nullptr;
  decltype(&::XFreeFont) XFreeFont = nullptr;
  decltype(&::XFreeFontInfo) XFreeFontInfo = nullptr;
  decltype(&::XGContextFromGC) XGContextFromGC = nullptr;
  decltype(&::XTextWidth) XTextWidth = nullptr;
  decltype(&::XCreateGC) XCreateGC = nullptr;
  decltype(&::XFreeGC) XFreeGC = nullptr;
  decltype(&::XSetFont) XSetFont = nullptr;
  decltype(&::XSetForeground) XSetForeground = nullptr;
  decltype(&::XSetClipRectangles) XSetClipRectangles = nullptr;
  decltype(&::XCreatePixmap) XCreatePixmap = nullptr;
  decltype(&::XFreePixmap) XFreePixmap = nullptr;
  decltype(&::XSetWindowBackgroundPixmap) XSetWindowBackgroundPixmap = nullptr;
  decltype(&::XClearWindow) XClearWindow = nullptr;
  decltype(&::XFillRectangle) XFillRectangle = nullptr;
  decltype(&::XDrawRectangle) XDrawRectangle = nullptr;
  decltype(&::XDrawLine) XDrawLine = nullptr;
  decltype(&::XDrawString) XDrawString = nullptr;
};

// Opens the library named `nome` (e.g. "libX11.so.6") and looks up every
// function of the table. Returns true when all are there; otherwise false,
// with the library closed again and `f` left empty.
bool carica_x11(const char* nome, funzioni_x11& f);

}  // namespace compattatore
