// The printed real. Eight bytes are the double, the ninth (when present)
// chooses the separator. The text holds at most 25 characters and no blank,
// uses no other decimal mark than the separator, and strtod reads it back,
// whole, as the same double.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "verifie.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  if (taille < sizeof(double)) return 0;
  double x;
  std::memcpy(&x, donnees, sizeof x);
  separateur = taille > sizeof x && (donnees[sizeof x] & 1) ? ',' : '.';
  std::string texte = reelentexte(x);
  verifie(!texte.empty() && texte.size() <= 25);
  for (char c : texte) verifie(static_cast<unsigned char>(c) > 32);
  if (separateur == ',') verifie(texte.find('.') == std::string::npos);
  if (std::isnan(x)) {
    verifie(texte == "NAN");
    return 0;
  }
  for (char& c : texte)
    if (c == separateur) c = '.';
  char* fin = nullptr;
  double relu = std::strtod(texte.c_str(), &fin);
  verifie(fin == texte.c_str() + texte.size());
  verifie(relu == x);
  return 0;
}
