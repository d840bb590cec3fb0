// The window layer as a person meets it: the window and the message box on a
// real X server (Xvfb), found, measured, photographed and answered with
// xdotool and xwd; and the console where there is no display or no X
// library. The X cases are skipped when Xvfb, xdotool or xwd are missing.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/finestra_x11.h"
#include "tests/supporto/processo_figlio.h"
#include "tests/app/schermata.h"

// Last: Xlib's macros (None, Bool, ...) would clash with GoogleTest's names.
#include <X11/Xlib.h>

extern char** environ;

namespace compattatore {
namespace {

namespace fs = std::filesystem;

bool sul_path(const std::string& programma) {
  const char* path = std::getenv("PATH");
  std::stringstream cartelle(path ? path : "");
  for (std::string c; std::getline(cartelle, c, ':');)
    if (!c.empty() && ::access((fs::path(c) / programma).c_str(), X_OK) == 0) return true;
  return false;
}

// Runs a shell command and returns its standard output.
std::string uscita_di(const std::string& comando) {
  std::string testo;
  if (FILE* p = ::popen(comando.c_str(), "r")) {
    char blocco[4096];
    for (size_t n; (n = std::fread(blocco, 1, sizeof blocco, p)) > 0;) testo.append(blocco, n);
    ::pclose(p);
  }
  return testo;
}

// The environment of this process with DISPLAY replaced (or removed, for
// nullopt).
std::vector<std::string> ambiente_con(const std::optional<std::string>& display) {
  std::vector<std::string> a;
  for (char** e = environ; *e; ++e)
    if (std::string(*e).rfind("DISPLAY=", 0) != 0) a.emplace_back(*e);
  if (display) a.push_back("DISPLAY=" + *display);
  return a;
}

// A child process with its standard input and output on pipes and its
// standard error in a file.
struct figlio {
  pid_t pid = -1;
  int ingresso = -1, uscita = -1;
  guasti::cartella_temporanea cartella;
  std::string errori;
  int stato = -1;

  figlio(const std::vector<std::string>& argomenti, const std::vector<std::string>& ambiente,
         const fs::path& lavoro = fs::temp_directory_path()) {
    int a[2], b[2];
    if (::pipe(a) != 0 || ::pipe(b) != 0) return;
    std::vector<std::string> arg = argomenti, amb = ambiente;
    std::vector<char*> argv, envp;
    for (std::string& s : arg) argv.push_back(s.data());
    for (std::string& s : amb) envp.push_back(s.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const std::string file_errori = (cartella.p / "stderr").string();
    pid = ::fork();
    if (pid == 0) {
      ::dup2(a[0], 0);
      ::dup2(b[1], 1);
      int e = ::open(file_errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(e, 2);
      ::close(a[1]);
      ::close(b[0]);
      if (::chdir(lavoro.c_str()) != 0) ::_exit(127);
      // A box nobody manages to close must fail the test, not hang it: the
      // alarm survives exec and ends the child long after any normal run.
      ::alarm(30);
      ::execve(argv[0], argv.data(), envp.data());
      ::_exit(127);
    }
    ::close(a[0]);
    ::close(b[1]);
    ingresso = a[1];
    uscita = b[0];
  }
  ~figlio() {
    if (pid > 0 && stato == -1) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    if (ingresso >= 0) ::close(ingresso);
    if (uscita >= 0) ::close(uscita);
  }
  figlio(const figlio&) = delete;
  figlio& operator=(const figlio&) = delete;

  // Returns the next line of its standard output, without the line end;
  // what is left when it ends without one.
  std::string riga() {
    std::string r;
    char c;
    while (::read(uscita, &c, 1) == 1 && c != '\n') r += c;
    return r;
  }
  // Lets a child that holds its window go on.
  void continua() {
    if (::write(ingresso, "\n", 1) != 1) ADD_FAILURE() << "cannot write to the child";
  }
  // Waits for the end; returns the exit status, -1 for a signal. Whatever
  // is left on standard output is appended to `resto`.
  int attendi(std::string* resto = nullptr) {
    ::close(ingresso);
    ingresso = -1;
    char blocco[256];
    for (ssize_t n; (n = ::read(uscita, blocco, sizeof blocco)) > 0;)
      if (resto) resto->append(blocco, static_cast<size_t>(n));
    int s = 0;
    ::waitpid(pid, &s, 0);
    stato = WIFEXITED(s) ? WEXITSTATUS(s) : -2;
    errori = guasti::leggi(cartella.p / "stderr");
    return stato == -2 ? -1 : stato;
  }
};

// An Xvfb server on a display it picks itself: with -displayfd it takes the
// first number whose lock file is free and writes it once it accepts
// connections, so no number is guessed and nothing is waited for by time.
struct server_x {
  pid_t pid = -1;
  std::string display;

  explicit server_x(const std::vector<std::string>& opzioni = {}) {
    std::vector<std::string> arg = {"Xvfb", "-displayfd", "", "-screen", "0", "800x600x24", "-nolisten", "tcp",
                                    "-nocursor"};
    arg.insert(arg.end(), opzioni.begin(), opzioni.end());
    int p[2];
    if (::pipe(p) != 0) return;
    pid = ::fork();
    if (pid == 0) {
      int nulla = ::open("/dev/null", O_RDWR);
      ::dup2(nulla, 0);
      ::dup2(nulla, 1);
      ::dup2(nulla, 2);
      ::close(p[0]);
      arg[2] = std::to_string(p[1]);
      std::vector<char*> argv;
      for (std::string& s : arg) argv.push_back(s.data());
      argv.push_back(nullptr);
      ::execvp(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(p[1]);
    std::string n;
    char c;
    while (::read(p[0], &c, 1) == 1 && c != '\n') n += c;
    ::close(p[0]);
    if (!n.empty()) display = ":" + n;
  }
  ~server_x() {
    if (pid > 0) {
      ::kill(pid, SIGTERM);
      ::waitpid(pid, nullptr, 0);
    }
  }
  std::string comando(const std::string& c) const { return "DISPLAY=" + display + " " + c + " 2>/dev/null"; }
};

// The visible window of that class on `s`, or "" when there is none; it is
// looked for again a bounded number of times, as the child maps it on its
// own schedule.
std::string cerca_finestra(const server_x& s, const std::string& classe) {
  for (int i = 0; i < 200; ++i) {
    std::string id = uscita_di(s.comando("xdotool search --onlyvisible --classname '^" + classe + "$'"));
    if (!id.empty()) return id.substr(0, id.find('\n'));
    ::usleep(20000);
  }
  return "";
}

// Photographs the window and keeps a PNG of it under the build folder.
schermata::immagine fotografa_finestra(const server_x& s, const std::string& id, const std::string& nome) {
  schermata::immagine im = schermata::leggi_xwd(uscita_di(s.comando("xwd -silent -id " + id)));
  std::error_code e;
  fs::create_directories(CARTELLA_SCHERMATE, e);
  schermata::scrivi_png((fs::path(CARTELLA_SCHERMATE) / (nome + ".png")).string(), im);
  return im;
}

struct geometria {
  int larghezza = 0, altezza = 0;
};

class FinestraX : public ::testing::Test {
 protected:
  static inline server_x* server = nullptr;

  static void SetUpTestSuite() {
    if (sul_path("Xvfb") && sul_path("xdotool") && sul_path("xwd")) server = new server_x;
  }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }
  void SetUp() override {
    if (!server) GTEST_SKIP() << "Xvfb, xdotool or xwd is not installed (scripts/installa_dipendenze.sh installs them)";
    ASSERT_FALSE(server->display.empty()) << "Xvfb did not start";
  }

  std::string x(const std::string& c) const { return uscita_di(server->comando(c)); }

  std::string cerca(const std::string& classe) { return cerca_finestra(*server, classe); }

  geometria misura(const std::string& id) {
    geometria g;
    std::stringstream righe(x("xwininfo -id " + id));
    for (std::string r; std::getline(righe, r);) {
      std::sscanf(r.c_str(), "  Width: %d", &g.larghezza);
      std::sscanf(r.c_str(), "  Height: %d", &g.altezza);
    }
    return g;
  }

  schermata::immagine fotografa(const std::string& id, const std::string& nome) {
    return fotografa_finestra(*server, id, nome);
  }

  std::vector<std::string> prova(const std::vector<std::string>& opzioni = {"--tieni"}) {
    std::vector<std::string> a{PROVA_FINESTRA};
    a.insert(a.end(), opzioni.begin(), opzioni.end());
    return a;
  }
};

bool scuro(const std::array<uint8_t, 3>& p) { return p[0] < 64 && p[1] < 64 && p[2] < 64; }

// Dark pixels in the rectangle [x0, x1) x [y0, y1).
int scuri(const schermata::immagine& im, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1 && y < im.altezza; ++y)
    for (int x = x0; x < x1 && x < im.larghezza; ++x) n += scuro(im.at(x, y));
  return n;
}

TEST_F(FinestraX, Form1Is280By179WithAttendereDrawnInsideTheLabelBoxOnly) {
  figlio f(prova(), ambiente_con(server->display));
  ASSERT_EQ(f.riga(), "pronto") << "the window layer printed its label on the console";

  // Mapped and painted before mostra_finestra returned: no waiting here.
  std::string id = x("xdotool search --onlyvisible --classname '^Form1$'");
  id = id.substr(0, id.find('\n'));
  ASSERT_FALSE(id.empty());
  geometria g = misura(id);
  EXPECT_EQ(g.larghezza, form1_larghezza);
  EXPECT_EQ(g.altezza, form1_altezza);
  EXPECT_EQ(x("xdotool getwindowname " + id), std::string(titolo_programma) + "\n");

  schermata::immagine im = fotografa(id, "form1");
  ASSERT_EQ(im.larghezza, form1_larghezza);
  ASSERT_EQ(im.altezza, form1_altezza);
  const int x1 = etichetta_sinistra + etichetta_larghezza, y1 = etichetta_alto + etichetta_altezza;
  const int dentro = scuri(im, etichetta_sinistra, etichetta_alto, x1, y1);
  // A 24-point bold "Attendere" blackens well over a thousand pixels, and
  // the text starts at the label's left edge and spans most of its width.
  EXPECT_GT(dentro, 1000);
  EXPECT_GT(scuri(im, etichetta_sinistra, etichetta_alto, etichetta_sinistra + 20, y1), 0);
  EXPECT_GT(scuri(im, etichetta_sinistra + 120, etichetta_alto, x1, y1), 0);
  EXPECT_EQ(scuri(im, 0, 0, form1_larghezza, form1_altezza), dentro) << "ink outside the label";
  // Everything outside the label is one plain background.
  EXPECT_EQ(im.at(0, 0), im.at(form1_larghezza - 1, form1_altezza - 1));
  EXPECT_FALSE(scuro(im.at(0, 0)));

  f.continua();
  std::string id_box = cerca("errore");
  ASSERT_FALSE(id_box.empty());
  x("xdotool key --clearmodifiers Return");
  EXPECT_EQ(f.attendi(), 2);
}

TEST_F(FinestraX, AServerWithOnlyItsBuiltInFontStillShowsTheLabel) {
  // No bold face at all: the label falls back to the server's own font.
  server_x spoglio({"-fp", "built-ins"});
  ASSERT_FALSE(spoglio.display.empty());
  figlio f(prova(), ambiente_con(spoglio.display));
  ASSERT_EQ(f.riga(), "pronto");
  std::string id = uscita_di(spoglio.comando("xdotool search --onlyvisible --classname '^Form1$'"));
  id = id.substr(0, id.find('\n'));
  ASSERT_FALSE(id.empty());
  schermata::immagine im = fotografa_finestra(spoglio, id, "form1_carattere_del_server");
  ASSERT_EQ(im.larghezza, form1_larghezza);
  const int dentro = scuri(im, etichetta_sinistra, etichetta_alto, etichetta_sinistra + etichetta_larghezza,
                           etichetta_alto + etichetta_altezza);
  EXPECT_GT(dentro, 50);
  EXPECT_EQ(scuri(im, 0, 0, form1_larghezza, form1_altezza), dentro);
  f.continua();
  ASSERT_FALSE(cerca_finestra(spoglio, "errore").empty());
  uscita_di(spoglio.comando("xdotool key Return"));
  EXPECT_EQ(f.attendi(), 2);
}

struct tasto {
  const char* nome;
  friend std::ostream& operator<<(std::ostream& o, const tasto& t) { return o << t.nome; }
};

class BoxX : public FinestraX, public ::testing::WithParamInterface<tasto> {};

TEST_P(BoxX, TheBoxShowsTheErrorAndTheKeyClosesItThenTheProgramEndsWith2) {
  figlio f(prova(), ambiente_con(server->display));
  ASSERT_EQ(f.riga(), "pronto");
  f.continua();
  std::string id = cerca("errore");
  ASSERT_FALSE(id.empty()) << "no message box";
  EXPECT_EQ(x("xdotool getwindowname " + id), std::string(titolo_programma) + "\n");

  schermata::immagine im = fotografa(id, std::string("errore_") + GetParam().nome);
  ASSERT_GT(im.larghezza, 0);
  const int by = im.altezza - bottone_margine - bottone_altezza;
  // The message above the button, "OK" inside it, nothing else dark but
  // the button's frame.
  EXPECT_GT(scuri(im, 0, 0, im.larghezza, by - 4), 150) << "no message text";
  const int bx = (im.larghezza - bottone_larghezza) / 2;
  EXPECT_GT(scuri(im, bx + 4, by + 4, bx + bottone_larghezza - 4, by + bottone_altezza - 4), 20) << "no OK";

  // Still there until it is answered.
  EXPECT_EQ(::waitpid(f.pid, nullptr, WNOHANG), 0);
  x(std::string("xdotool key --clearmodifiers ") + GetParam().nome);
  std::string resto;
  EXPECT_EQ(f.attendi(&resto), 2);
  EXPECT_EQ(resto, "") << "console output beside the window";
  EXPECT_EQ(f.errori, " Errore n. 1251\n");
}

INSTANTIATE_TEST_SUITE_P(Tasti, BoxX, ::testing::Values(tasto{"Return"}, tasto{"Escape"}, tasto{"space"}),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST_F(FinestraX, AClickOnOkClosesTheBox) {
  figlio f(prova(), ambiente_con(server->display));
  ASSERT_EQ(f.riga(), "pronto");
  f.continua();
  std::string id = cerca("errore");
  ASSERT_FALSE(id.empty());
  geometria g = misura(id);
  const int cx = g.larghezza / 2, cy = g.altezza - bottone_margine - bottone_altezza / 2;
  x("xdotool mousemove --window " + id + " " + std::to_string(cx) + " " + std::to_string(cy) + " click 1");
  EXPECT_EQ(f.attendi(), 2);
  EXPECT_EQ(f.errori, " Errore n. 1251\n");
}

// Sends WM_DELETE_WINDOW to `finestra`, as a window manager does when the
// user closes a window from its frame (Xvfb runs none). The test opens its
// own libX11 at run time, as the program does. Returns false when it cannot.
bool chiedi_chiusura(const std::string& display, unsigned long finestra) {
  void* l = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!l) return false;
  auto apri = reinterpret_cast<decltype(&::XOpenDisplay)>(::dlsym(l, "XOpenDisplay"));
  auto atomo = reinterpret_cast<decltype(&::XInternAtom)>(::dlsym(l, "XInternAtom"));
  auto invia = reinterpret_cast<decltype(&::XSendEvent)>(::dlsym(l, "XSendEvent"));
  auto chiudi = reinterpret_cast<decltype(&::XCloseDisplay)>(::dlsym(l, "XCloseDisplay"));
  Display* d = apri && atomo && invia && chiudi ? apri(display.c_str()) : nullptr;
  if (!d) return false;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = finestra;
  e.xclient.message_type = atomo(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(atomo(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  bool inviato = invia(d, finestra, False, NoEventMask, &e) != 0;
  chiudi(d);  // flushes the request
  return inviato;
}

TEST_F(FinestraX, TheWindowManagersCloseClosesTheBox) {
  figlio f(prova(), ambiente_con(server->display));
  ASSERT_EQ(f.riga(), "pronto");
  f.continua();
  std::string id = cerca("errore");
  ASSERT_FALSE(id.empty());
  ASSERT_TRUE(chiedi_chiusura(server->display, std::stoul(id)));
  EXPECT_EQ(f.attendi(), 2);
  EXPECT_EQ(f.errori, " Errore n. 1251\n");
}

TEST_F(FinestraX, AServerConnectionLostUnderTheBoxFallsBackToTheConsole) {
  figlio f(prova(), ambiente_con(server->display));
  ASSERT_EQ(f.riga(), "pronto");
  f.continua();
  std::string id = cerca("errore");
  ASSERT_FALSE(id.empty());
  // Kills the program's connection to the server, as a server that goes
  // away does: no crash, no Xlib exit status, the console message and 2.
  x("xdotool windowkill " + id);
  EXPECT_EQ(f.attendi(), 2);
  EXPECT_EQ(f.errori, " Errore n. 1251\n");
}

TEST_F(FinestraX, AServerThatEndsDuringTheRunLeavesTheErrorExitToTheConsole) {
  auto proprio = std::make_unique<server_x>();
  ASSERT_FALSE(proprio->display.empty());
  figlio f(prova(), ambiente_con(proprio->display));
  ASSERT_EQ(f.riga(), "pronto");
  proprio.reset();  // the server ends while the window is up
  f.continua();
  std::string resto;
  EXPECT_EQ(f.attendi(&resto), 2) << "ended by a signal or by Xlib's own exit";
  EXPECT_EQ(resto, "");
  EXPECT_EQ(f.errori, " Errore n. 1251\n");
}

TEST_F(FinestraX, TheOneShotProgramShowsTheWindowAndRunsToTheEnd) {
  guasti::cartella_temporanea cartella;
  fs::path programma = guasti::copia_programma(PROGRAMMA_COMPATTATORE, cartella.p, "compattatore");
  figlio f({programma.string()}, ambiente_con(server->display));
  std::string uscita;
  EXPECT_EQ(f.attendi(&uscita), 0) << f.errori;
  EXPECT_EQ(uscita, "") << "the label went to the console beside the window";
  EXPECT_EQ(f.errori, "");
  EXPECT_TRUE(fs::is_regular_file(cartella.p / "Valmora_Tessa_R7736.dat"));
}

TEST_F(FinestraX, WithoutTheXLibraryTheDisplayIsNotUsed) {
  figlio f(prova({"--libreria", "libX11_assente.so.6"}), ambiente_con(server->display));
  std::string uscita;
  EXPECT_EQ(f.attendi(&uscita), 2);
  EXPECT_EQ(uscita, "Attendere\npronto\n");
  EXPECT_EQ(f.errori, " Errore n. 1251\n");
}

// A display number nobody serves: neither its lock file nor its socket.
std::string display_morto() {
  for (int n = 1000 + ::getpid() % 1000;; ++n)
    if (!fs::exists("/tmp/.X" + std::to_string(n) + "-lock") &&
        !fs::exists("/tmp/.X11-unix/X" + std::to_string(n)))
      return ":" + std::to_string(n);
}

struct senza_schermo {
  const char* nome;
  std::optional<std::string> display;
  friend std::ostream& operator<<(std::ostream& o, const senza_schermo& s) { return o << s.nome; }
};

class Console : public ::testing::TestWithParam<senza_schermo> {};

TEST_P(Console, TheLabelGoesToStandardOutputAndTheErrorToStandardError) {
  figlio f({PROVA_FINESTRA}, ambiente_con(GetParam().display));
  std::string uscita;
  EXPECT_EQ(f.attendi(&uscita), 2);
  EXPECT_EQ(uscita, "Attendere\npronto\n");
  EXPECT_EQ(f.errori, " Errore n. 1251\n");
}

INSTANTIATE_TEST_SUITE_P(Casi, Console,
                         ::testing::Values(senza_schermo{"SenzaDisplay", std::nullopt},
                                           senza_schermo{"DisplayVuoto", std::string()},
                                           senza_schermo{"DisplayMorto", display_morto()}),
                         [](const auto& i) { return std::string(i.param.nome); });

// The one-shot program needs nothing beyond the C and C++ runtimes (and
// the sanitizer runtimes of a sanitizer build): libX11 is opened at run
// time, never linked.
TEST(Collegamento, TheOneShotProgramIsNotLinkedAgainstLibX11) {
  if (!sul_path("ldd")) GTEST_SKIP() << "no ldd";
  std::string elenco = uscita_di(std::string("ldd '") + PROGRAMMA_COMPATTATORE + "'");
  ASSERT_NE(elenco.find("libc.so"), std::string::npos) << elenco;
  const std::set<std::string> ammesse = {"linux-vdso.so.1", "libstdc++.so.6", "libm.so.6", "libgcc_s.so.1",
                                         "libc.so.6",       "libdl.so.2",     "libasan.so.8", "libubsan.so.1",
                                         "libpthread.so.0", "librt.so.1"};
  std::stringstream righe(elenco);
  for (std::string r; std::getline(righe, r);) {
    std::stringstream campi(r);
    std::string nome;
    campi >> nome;
    if (nome.rfind("/lib", 0) == 0) continue;  // the dynamic loader itself
    EXPECT_TRUE(ammesse.count(nome)) << "linked against " << nome;
  }
}

}  // namespace
}  // namespace compattatore
