#include "driver/etendu.h"

#include <limits>

#include "driver/puissances10.h"

namespace {

// The table holds each factor as a significand and a binary exponent
// (generated with exact integers by tools/puissances10.py), so both
// implementations scale by the very same values.
etendu facteur(etendu x, const puissance& p, bool divise) {
  etendu f = composer(p.mantisse, p.exposant);
  return divise ? x / f : x * f;
}

}  // namespace

etendu echelle10(etendu x, int n) {
  bool divise = n < 0;
  unsigned m = divise ? -static_cast<unsigned>(n) : static_cast<unsigned>(n);
  if (m >= 5120) {
    etendu zero = depuisentier(0);
    etendu infini = depuisdouble(std::numeric_limits<double>::infinity());
    return divise || x == zero ? x * zero : x * infini;
  }
  if (m % 32) x = facteur(x, unites[m % 32], divise);
  if ((m / 32) % 16) x = facteur(x, dizaines[(m / 32) % 16], divise);
  if (m / 512) x = facteur(x, centaines[m / 512], divise);
  return x;
}
