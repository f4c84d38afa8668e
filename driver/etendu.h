// The 64-bit-significand real in which the system reads and scales numbers.
//
// Every place that must round to a 64-bit significand (reading a meter
// number, reading a command-line number, power-of-ten scaling, printing a
// real, forming the product in the integer pH reading) goes through this
// type and these helpers, so that another implementation can stand in for
// `long double` where it is not the 80-bit format.
#pragma once

#include <cstdint>
#include <limits>

using etendu = long double;
static_assert(std::numeric_limits<etendu>::digits == 64,
              "etendu must have a 64-bit significand (x86 80-bit format)");

// x * 10^n, in up to three steps each rounded to the 64-bit significand:
// by 10^(|n| mod 32), then 10^(32 * ((|n| div 32) mod 16)), then
// 10^(512 * (|n| div 512)); division for negative n.
// n >= 5120 gives infinity (of x's sign), n <= -5120 gives zero.
etendu echelle10(etendu x, int n);

// v * 10 + chiffre, each operation rounded to the 64-bit significand.
inline etendu ajoutechiffre(etendu v, int chiffre) { return v * 10 + chiffre; }

// x rounded to the nearest integer, halves to the even neighbour.
// Precondition: the result lies within the signed 64-bit range.
std::int64_t entier64(etendu x);

// Puts the x87 unit at its full 64-bit precision, rounding to nearest, for
// hosts that start it at 53 bits (64-bit Windows does). Called once at
// start-up by the program and when the shared library loads.
void preparecalcul();
