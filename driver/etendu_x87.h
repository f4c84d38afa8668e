// etendu as the x87 unit's 80-bit `long double` (x86, 32 and 64 bits).
// Included by etendu.h only.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

using etendu = long double;
static_assert(std::numeric_limits<etendu>::digits == 64,
              "etendu_x87.h needs long double in the x87 80-bit format");

inline etendu depuisentier(std::int64_t n) { return static_cast<etendu>(n); }
inline etendu depuisdouble(double x) { return x; }
inline etendu composer(std::uint64_t mantisse, int exposant) {
  return std::ldexp(static_cast<etendu>(mantisse), exposant);
}
inline etendu absolu(etendu x) { return std::fabs(x); }
inline bool estnegatif(etendu x) { return std::signbit(x); }
inline bool estinfini(etendu x) { return std::isinf(x); }
inline bool estnan(etendu x) { return std::isnan(x); }
// The rounding mode is never changed from its default, to nearest with
// halves to even.
inline etendu entierproche(etendu x) { return std::nearbyint(x); }
inline int exposant2(etendu x) { return std::ilogb(x); }
inline double versdouble(etendu x) { return static_cast<double>(x); }
inline float verssimple(etendu x) { return static_cast<float>(x); }
inline std::int64_t entier64(etendu x) { return std::llrint(x); }
