// reel64 - a real with a 64-bit significand, computed in software.
//
// It has the values, the range and the roundings of the 80-bit extended
// format at its full 64-bit precision, bit for bit as the x87 unit gives
// them: every operation rounds to nearest, halves to the even neighbour;
// results too small become subnormals or zero, results too large become
// infinities; an invalid operation (0/0, inf - inf, 0 * inf) gives the x87
// default NaN, and a NaN operand passes on as the x87 unit passes it. No
// operation traps or sets flags. It stands in for `long double` where that
// is not the 80-bit format (aarch64's is 128 bits).
//
//   depuisentier   an integer, exact.
//   depuisdouble   a double, exact.
//   composer       mantisse * 2^exposant, rounded (exact for every value the
//                  format holds).
//   + - * /        rounded to the 64-bit significand; unary - and absolu only
//                  change the sign.
//   <=> ==         ordered as reals; a NaN is unordered, -0 equals +0.
//   entierproche   the nearest integer, halves to even, as a reel64.
//   exposant2      the binary exponent e with 2^e <= |x| < 2^(e+1), as
//                  ilogb; precondition: x finite and not zero.
//   versdouble     rounded to a double, verssimple to a float, with their own
//                  subnormals and overflow to infinity.
//   entier64       rounded to a signed 64-bit integer, halves to even; a NaN,
//                  an infinity or a result outside the range gives INT64_MIN,
//                  as the x87 unit stores it.
//
// The arithmetic uses unsigned __int128, so it needs a 64-bit host.
#pragma once

#include <compare>
#include <cstdint>

namespace logiciel {

// The fields of the 80-bit format.
struct reel64 {
  bool negatif;
  std::uint16_t exposant;  // biased by 16383; 0: zero or subnormal; 32767: infinity or NaN
  std::uint64_t mantisse;  // bit 63 is the integer bit, set for normal values
};

reel64 depuisentier(std::int64_t n);
reel64 depuisdouble(double x);
reel64 composer(std::uint64_t mantisse, int exposant);

reel64 operator+(reel64 a, reel64 b);
reel64 operator-(reel64 a, reel64 b);
reel64 operator*(reel64 a, reel64 b);
reel64 operator/(reel64 a, reel64 b);
reel64 operator-(reel64 a);
std::partial_ordering operator<=>(reel64 a, reel64 b);
bool operator==(reel64 a, reel64 b);

reel64 absolu(reel64 x);
reel64 entierproche(reel64 x);
int exposant2(reel64 x);
bool estnan(reel64 x);
bool estinfini(reel64 x);
bool estnegatif(reel64 x);

double versdouble(reel64 x);
float verssimple(reel64 x);
std::int64_t entier64(reel64 x);

}  // namespace logiciel
