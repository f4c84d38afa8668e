// Standard output: a console gets each line as soon as its line end is
// written; a file or a pipe gets 128-byte blocks and the rest at the end.
#include "cli/cli.h"

namespace {

const std::size_t taille = 128;
char tampon[taille];
std::size_t rempli = 0;
int console = -1;  // not known until the first write

void vide() {
  if (rempli) ecrisoctets(tampon, rempli);
  rempli = 0;
}

void ajoute(char c) {
  tampon[rempli++] = c;
  if (rempli == taille || (c == '\n' && console == 1)) vide();
}

}  // namespace

void ecrisligne(const std::string& texte) {
  if (console < 0) console = sortieestconsole();
  for (char c : texte) ajoute(c);
  ajoute('\r');
  ajoute('\n');
}

void videsortie() { vide(); }
