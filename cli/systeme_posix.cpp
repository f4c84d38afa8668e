// POSIX services of the front end.
#include <link.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>

#include "cli/cli.h"

namespace {

std::string dernierelement(const std::string& chemin) {
  std::size_t barre = chemin.rfind('/');
  return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

// The image starts with its lowest loaded segment: at the load address for a
// position-independent program, at a fixed address for any other.
int premiereimage(dl_phdr_info* info, std::size_t, void* base) {
  std::uintptr_t debut = UINTPTR_MAX;
  for (int i = 0; i < info->dlpi_phnum; ++i)
    if (info->dlpi_phdr[i].p_type == PT_LOAD && info->dlpi_phdr[i].p_vaddr < debut)
      debut = info->dlpi_phdr[i].p_vaddr;
  *static_cast<std::uintptr_t*>(base) = info->dlpi_addr + (debut == UINTPTR_MAX ? 0 : debut);
  return 1;  // the first object listed is the program itself
}

}  // namespace

// The system hands the arguments over already split.
std::vector<std::string> motsdelaligne(int argc, char** argv) {
  // A reader that went away must not end the run with a signal: write errors
  // are not examined and the exit status stays as it is.
  signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> mots;
  for (int i = 1; i < argc; ++i) mots.push_back(argv[i]);
  return mots;
}

std::string nomduprogramme(const char* argv0) {
  char chemin[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", chemin, sizeof chemin - 1);
  return dernierelement(n > 0 ? std::string(chemin, n) : std::string(argv0));
}

std::uintptr_t baseduprogramme() {
  std::uintptr_t base = 0;
  dl_iterate_phdr(premiereimage, &base);
  return base;
}

bool sortieestconsole() { return isatty(1); }

void ecrisoctets(const char* octets, std::size_t n) {
  while (n > 0) {
    ssize_t ecrits = write(1, octets, n);
    if (ecrits < 0 && errno == EINTR) continue;
    if (ecrits <= 0) return;
    octets += ecrits;
    n -= static_cast<std::size_t>(ecrits);
  }
}
