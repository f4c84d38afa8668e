#include <windows.h>

#include "cli/cli.h"

void lisseparateur() {
  char symbole[8];
  // The count includes the terminating zero: 2 means a one-byte symbol. A
  // symbol that does not fit gives 0.
  int longueur = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, symbole, sizeof symbole);
  separateur = longueur == 2 ? symbole[0] : '.';
}
