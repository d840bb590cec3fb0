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
  rlim_t limite_file = RLIM_INFINITY;  // RLIMIT_FSIZE of the child, in bytes
  bool senza_privilegi = false;         // as root: run as nobody
};

struct esito {
  int stato = -1;        // exit status; -1 when ended by a signal
  int segnale = 0;       // the signal that ended it, 0 for none
  std::string uscita;    // standard output
  std::string errori;    // standard error
};

// The exit status a child gives when it could not become nobody.
inline constexpr int stato_privilegi_non_ceduti = 126;

// Runs the program and waits for it. Standard output and standard error go
// to unlinked temporary files, so a large output cannot block the child.
inline esito esegui(const avvio& a) {
  auto file_anonimo = [] {
    std::string modello = (fs::temp_directory_path() / "guasti_uscita_XXXXXX").string();
    int fd = ::mkstemp(modello.data());
    ::unlink(modello.c_str());
    return fd;
  };
  int fd_uscita = file_anonimo();
  int fd_errori = file_anonimo();

  std::vector<std::string> argv_testi{a.programma.string()};
  argv_testi.insert(argv_testi.end(), a.argomenti.begin(), a.argomenti.end());
  std::vector<char*> argv;
  for (std::string& s : argv_testi) argv.push_back(s.data());
  argv.push_back(nullptr);

  pid_t pid = ::fork();
  if (pid == 0) {
    // Only async-signal-safe calls from here to exec.
    ::dup2(fd_uscita, 1);
    ::dup2(fd_errori, 2);
    if (::chdir(a.cartella_lavoro.c_str()) != 0) ::_exit(127);
    // The program must deal with an exceeded limit itself, as under a
    // shell's `ulimit -f`: it starts with the default action of SIGXFSZ.
    ::signal(SIGXFSZ, SIG_DFL);
    struct rlimit limite {a.limite_file, a.limite_file};
    if (a.limite_file != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limite) != 0) ::_exit(127);
    if (a.senza_privilegi && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(stato_privilegi_non_ceduti);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  esito e;
  int stato = 0;
  if (pid < 0 || ::waitpid(pid, &stato, 0) < 0) {
    ::close(fd_uscita);
    ::close(fd_errori);
    e.errori = "impossibile avviare " + a.programma.string();
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
  e.uscita = leggi_fd(fd_uscita);
  e.errori = leggi_fd(fd_errori);
  return e;
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
