#include "cli/cli.h"

namespace {

const std::size_t longueurmot = 4096;

bool separe(char c) { return c >= 1 && c <= 32; }

}  // namespace

std::vector<std::string> decoupeligne(std::string_view ligne) {
  std::vector<std::string> mots;
  std::size_t i = 0, n = ligne.size();
  // The line ends at its first zero byte, as a text handed over by the system.
  if (std::size_t zero = ligne.find('\0'); zero != std::string_view::npos) n = zero;
  for (;;) {
    for (;;) {
      while (i < n && separe(ligne[i])) ++i;
      if (i + 1 < n && ligne[i] == '"' && ligne[i + 1] == '"')
        i += 2;
      else
        break;
    }
    if (i >= n) return mots;
    std::string mot;
    while (i < n && !separe(ligne[i])) {
      if (ligne[i] == '"') {
        for (++i; i < n && ligne[i] != '"'; ++i)
          if (mot.size() < longueurmot) mot += ligne[i];
        if (i < n) ++i;
      } else {
        if (mot.size() < longueurmot) mot += ligne[i];
        ++i;
      }
    }
    mots.push_back(mot);
  }
}
