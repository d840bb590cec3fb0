#include "tools/compila/stesso_file.h"

#include <sys/stat.h>

namespace compattatore {

bool scrittura_tocca(const std::string& ingresso, const std::string& uscita) {
  struct stat u {};
  if (::lstat(uscita.c_str(), &u) != 0) return false;
  struct stat i {};
  // The input as read (through any link) and the input's own entry.
  if (::stat(ingresso.c_str(), &i) == 0 && i.st_dev == u.st_dev && i.st_ino == u.st_ino) return true;
  if (::lstat(ingresso.c_str(), &i) == 0 && i.st_dev == u.st_dev && i.st_ino == u.st_ino) return true;
  return false;
}

}  // namespace compattatore
