#include "driver/etendu.h"

#include <cmath>

namespace {

// The factors are written as literals so that the compiler rounds each one
// once; up to 10^27 they are exact.
const etendu unites[32] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
const etendu dizaines[16] = {1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L,
                             1e192L, 1e224L, 1e256L, 1e288L, 1e320L, 1e352L,
                             1e384L, 1e416L, 1e448L, 1e480L};
const etendu centaines[10] = {1e0L,    1e512L,  1e1024L, 1e1536L, 1e2048L,
                              1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};

etendu facteur(etendu x, etendu f, bool divise) {
  return divise ? x / f : x * f;
}

}  // namespace

etendu echelle10(etendu x, int n) {
  bool divise = n < 0;
  unsigned m = divise ? -static_cast<unsigned>(n) : static_cast<unsigned>(n);
  if (m >= 5120)
    return divise || x == 0 ? x * 0 : x * std::numeric_limits<etendu>::infinity();
  if (m % 32) x = facteur(x, unites[m % 32], divise);
  if ((m / 32) % 16) x = facteur(x, dizaines[(m / 32) % 16], divise);
  if (m / 512) x = facteur(x, centaines[m / 512], divise);
  return x;
}

// The rounding mode is never changed from its default, to nearest with
// halves to even.
std::int64_t entier64(etendu x) { return std::llrint(x); }

void preparecalcul() {
  unsigned short controle;
  __asm__ volatile("fnstcw %0" : "=m"(controle));
  controle = static_cast<unsigned short>((controle & ~0x0C00) | 0x0300);
  __asm__ volatile("fldcw %0" : : "m"(controle));
}
