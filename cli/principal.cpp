#include <cstdio>

#include "cli/cli.h"

namespace {

const std::size_t longueurrapport = 1023;

}  // namespace

std::string rapport(const erreur& e, const std::string& module, std::uintptr_t baseimage) {
  char lieu[9];
  std::snprintf(lieu, sizeof lieu, "%08X",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(e.lieu) - baseimage));
  std::string r = std::string("Exception ") + e.classe + " dans le module " + module + " \xE0 " +
                  lieu + ".\n" + e.message;
  if (!e.message.empty() && e.message.back() != '.') r += '.';
  return r.substr(0, longueurrapport);
}

// Conversion and floating-point failures end the run with their report as
// the only output; nothing else is caught.
int principal(int argc, char** argv) {
  preparecalcul();
  lisseparateur();
  int statut = 0;
  try {
    if (std::optional<std::string> ligne = executer(motsdelaligne(argc, argv)))
      ecrisligne(*ligne);
  } catch (const erreur& e) {
    ecrisligne(rapport(e, nomduprogramme(argc > 0 ? argv[0] : ""), baseduprogramme()));
    statut = 1;
  }
  videsortie();
  return statut;
}
