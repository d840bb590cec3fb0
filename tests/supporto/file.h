// Files and folders for tests that touch the disk: read and write a whole
// file, and a fresh temporary folder.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

namespace supporto {

namespace fs = std::filesystem;

// Returns the whole file ("" when it cannot be read).
inline std::string leggi(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replaces the file with `byte`.
inline void scrivi(const fs::path& p, const std::string& byte) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << byte;
}

// A fresh temporary folder that any user may enter, removed with everything
// in it (its rights restored first, so that also a non-root run can remove
// a folder a test made read-only).
struct cartella_temporanea {
  fs::path p;
  cartella_temporanea() {
    std::string modello = (fs::temp_directory_path() / "compattatore_prova_XXXXXX").string();
    if (::mkdtemp(modello.data()) == nullptr) throw std::runtime_error("mkdtemp");
    p = modello;
    fs::permissions(p, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  }
  ~cartella_temporanea() {
    std::error_code e;
    fs::permissions(p, fs::perms::owner_all, fs::perm_options::add, e);
    for (auto it = fs::recursive_directory_iterator(p, e); !e && it != fs::recursive_directory_iterator();
         it.increment(e))
      if (it->is_directory(e) && !it->is_symlink(e))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, e);
    fs::remove_all(p, e);
  }
  cartella_temporanea(const cartella_temporanea&) = delete;
  cartella_temporanea& operator=(const cartella_temporanea&) = delete;
};

}  // namespace supporto
