#include <clocale>
#include <cstring>

#include "cli/cli.h"

void lisseparateur() {
  separateur = '.';
  if (std::setlocale(LC_NUMERIC, "")) {
    const char* symbole = std::localeconv()->decimal_point;
    if (symbole && std::strlen(symbole) == 1) separateur = symbole[0];
  }
  // Everything else formats its own numbers; the C library stays neutral.
  std::setlocale(LC_NUMERIC, "C");
}
