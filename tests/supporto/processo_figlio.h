// Test helpers for running a program as a child process under a fault: a
// file-size limit, or without the rights to write its folder. Shared by the
// fault tests of the one-shot program and of compila.
//
// The tests run as root both here and in CI, where permission bits do not
// stop a write. A child asked to run "senza_privilegi" therefore drops to the
// user and group nobody (65534) before it starts the program, so that a
// folder with mode 0555 really cannot be written; run as any other user it
// simply keeps its own rights.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "tests/supporto/file.h"

extern char** environ;

namespace guasti {

namespace fs = std::filesystem;

using supporto::cartella_temporanea;
using supporto::leggi;
using supporto::scrivi;

// Copies `programma` to `cartella`/`nome`, executable by anyone.
inline fs::path copia_programma(const fs::path& programma, const fs::path& cartella, const std::string& nome) {
  fs::path copia = cartella / nome;
  fs::copy_file(programma, copia, fs::copy_options::overwrite_existing);
  fs::permissions(copia, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
  return copia;
}

struct avvio {
  fs::path programma;
  std::vector<std::string> argomenti;
  fs::path cartella_lavoro = fs::temp_directory_path();
  rlim_t limite_file = RLIM_INFINITY;     // RLIMIT_FSIZE of the child, in bytes
  rlim_t limite_memoria = RLIM_INFINITY;  // RLIMIT_AS of the child, in bytes (a shell's ulimit -v)
  bool senza_privilegi = false;            // as root: run as nobody
  bool uscita_chiusa = false;              // standard output a pipe whose reader has gone
  std::vector<std::string> ambiente;       // NAME=VALUE added to the environment
};

struct esito {
  int stato = -1;        // exit status; -1 when ended by a signal
  int segnale = 0;       // the signal that ended it, 0 for none
  std::string uscita;    // standard output
  std::string errori;    // standard error
};

// The exit status a child gives when it could not become nobody.
inline constexpr int stato_privilegi_non_ceduti = 126;

// A child started and not yet waited for.
struct figlio {
  pid_t pid = -1;
  int fd_uscita = -1, fd_errori = -1;
  std::string programma;
};

// Starts the program. Standard output and standard error go to unlinked
// temporary files, so a large output cannot block the child.
inline figlio lancia(const avvio& a) {
  auto file_anonimo = [] {
    std::string modello = (fs::temp_directory_path() / "guasti_uscita_XXXXXX").string();
    int fd = ::mkstemp(modello.data());
    ::unlink(modello.c_str());
    return fd;
  };
  figlio f;
  f.programma = a.programma.string();
  f.fd_uscita = file_anonimo();
  f.fd_errori = file_anonimo();
  int tubo[2] = {-1, -1};
  if (a.uscita_chiusa && ::pipe(tubo) != 0) return f;

  std::vector<std::string> argv_testi{a.programma.string()};
  argv_testi.insert(argv_testi.end(), a.argomenti.begin(), a.argomenti.end());
  std::vector<char*> argv;
  for (std::string& s : argv_testi) argv.push_back(s.data());
  argv.push_back(nullptr);
  std::vector<std::string> env_testi;
  for (char** e = environ; *e; ++e) env_testi.emplace_back(*e);
  env_testi.insert(env_testi.end(), a.ambiente.begin(), a.ambiente.end());
  std::vector<char*> envp;
  for (std::string& s : env_testi) envp.push_back(s.data());
  envp.push_back(nullptr);

  f.pid = ::fork();
  if (f.pid == 0) {
    // Only async-signal-safe calls from here to exec.
    ::dup2(a.uscita_chiusa ? tubo[1] : f.fd_uscita, 1);
    ::dup2(f.fd_errori, 2);
    if (a.uscita_chiusa) {
      ::close(tubo[0]);
      ::close(tubo[1]);
    }
    if (::chdir(a.cartella_lavoro.c_str()) != 0) ::_exit(127);
    // The program must deal with an exceeded limit and a closed pipe
    // itself, as under a shell: it starts with the default actions.
    ::signal(SIGXFSZ, SIG_DFL);
    ::signal(SIGPIPE, SIG_DFL);
    struct rlimit limite {a.limite_file, a.limite_file};
    if (a.limite_file != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limite) != 0) ::_exit(127);
    struct rlimit memoria {a.limite_memoria, a.limite_memoria};
    if (a.limite_memoria != RLIM_INFINITY && ::setrlimit(RLIMIT_AS, &memoria) != 0) ::_exit(127);
    if (a.senza_privilegi && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(stato_privilegi_non_ceduti);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  // The reader of a closed output goes at once: the child's first write
  // to standard output meets no reader.
  if (a.uscita_chiusa) {
    ::close(tubo[0]);
    ::close(tubo[1]);
  }
  return f;
}

// Waits for a child started by lancia.
inline esito attendi(figlio& f) {
  esito e;
  int stato = 0;
  if (f.pid < 0 || ::waitpid(f.pid, &stato, 0) < 0) {
    ::close(f.fd_uscita);
    ::close(f.fd_errori);
    e.errori = "impossibile avviare " + f.programma;
    return e;
  }
  if (WIFEXITED(stato)) e.stato = WEXITSTATUS(stato);
  if (WIFSIGNALED(stato)) e.segnale = WTERMSIG(stato);

  auto leggi_fd = [](int fd) {
    std::string testo;
    ::lseek(fd, 0, SEEK_SET);
    char blocco[4096];
    for (ssize_t n; (n = ::read(fd, blocco, sizeof blocco)) > 0;) testo.append(blocco, static_cast<size_t>(n));
    ::close(fd);
    return testo;
  };
  e.uscita = leggi_fd(f.fd_uscita);
  e.errori = leggi_fd(f.fd_errori);
  return e;
}

// Runs the program and waits for it.
inline esito esegui(const avvio& a) {
  figlio f = lancia(a);
  return attendi(f);
}

// Returns true when the program was built with AddressSanitizer, whose
// shadow memory cannot live under an address-space limit.
inline constexpr bool con_asan() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#else
  return false;
#endif
#else
  return false;
#endif
}

// Rounds of a test that runs processes against each other or kills them:
// enough to meet many moments of a run. Under AddressSanitizer, whose
// suite looks for memory errors and whose programs start slower, a few
// rounds keep the suite short.
inline constexpr int giri_processi(int giri) { return con_asan() ? 4 : giri; }

// Returns the names in `cartella` with the platform's temporary pattern
// (".compattatore-" + 12 hex digits + ".tmp").
inline std::vector<std::string> temporanei_in(const fs::path& cartella) {
  std::vector<std::string> t;
  for (const fs::directory_entry& d : fs::directory_iterator(cartella)) {
    std::string n = d.path().filename().string();
    if (n.rfind(".compattatore-", 0) == 0 || n.find(".tmp") != std::string::npos) t.push_back(n);
  }
  return t;
}

// What a folder holds: each name with its kind and, for a regular file, its
// bytes; for a link, where it points.
struct voce_cartella {
  char tipo = '?';  // 'f' file, 'd' folder, 'l' link
  std::string contenuto;
  bool operator==(const voce_cartella&) const = default;
};
using istantanea = std::map<std::string, voce_cartella>;

inline istantanea fotografa(const fs::path& cartella) {
  istantanea s;
  for (const fs::directory_entry& d : fs::directory_iterator(cartella)) {
    voce_cartella v;
    fs::file_status st = d.symlink_status();
    if (fs::is_symlink(st)) {
      v.tipo = 'l';
      v.contenuto = fs::read_symlink(d.path()).string();
    } else if (fs::is_directory(st)) {
      v.tipo = 'd';
    } else {
      v.tipo = 'f';
      v.contenuto = leggi(d.path());
    }
    s[d.path().filename().string()] = v;
  }
  return s;
}

// Returns the names whose kind or bytes differ between two snapshots
// (missing on either side included), for a short failure message.
inline std::string differenze(const istantanea& prima, const istantanea& dopo) {
  std::string d;
  for (const auto& [nome, v] : prima) {
    auto it = dopo.find(nome);
    if (it == dopo.end()) d += " -" + nome;
    else if (!(it->second == v)) d += " ~" + nome;
  }
  for (const auto& [nome, v] : dopo)
    if (!prima.count(nome)) d += " +" + nome;
  return d;
}

}  // namespace guasti
