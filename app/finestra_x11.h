// The window and the message box on an X server: Form1 with its one label,
// and the modal box of the error exit. libX11 is loaded at run time
// (x11_dinamico.h); every function here returns false, having shown nothing
// more, when there is no display, the library cannot be loaded, or the
// server fails or goes away, and the caller then uses the console.
#pragma once

namespace compattatore {

// Form1's client area and its label, in pixels at 15 twips per pixel: the
// form is 4200 x 2688 twips, the label stands at 960, 960 twips and measures
// 2652 x 792 twips (176.8 x 52.8 pixels, taken whole as 177 x 53).
inline constexpr int form1_larghezza = 280;
inline constexpr int form1_altezza = 179;
inline constexpr int etichetta_sinistra = 64;
inline constexpr int etichetta_alto = 64;
inline constexpr int etichetta_larghezza = 177;
inline constexpr int etichetta_altezza = 53;

// The message box's OK button: its size and its distance from the bottom
// edge of the box; it is centred across the box.
inline constexpr int bottone_larghezza = 75;
inline constexpr int bottone_altezza = 23;
inline constexpr int bottone_margine = 12;

// The program's own title, on Form1 and on the message box. The program has
// no other name for the user than the one of its executable.
inline constexpr const char* titolo_programma = "compattatore";

// Shows Form1 with "Attendere" on the display named by DISPLAY, through the
// libX11 at `libreria`, without blocking. Returns true once the window is
// mapped with its picture painted and the server has handled every request.
bool mostra_finestra_x11(const char* libreria);

// Shows `testo` in a modal box with a single OK button and waits until the
// user closes it (Return, Space, Escape, a click on OK, or the window
// manager's close). Returns true when the box was shown and closed.
bool mostra_messaggio_x11(const char* libreria, const char* testo);

}  // namespace compattatore
