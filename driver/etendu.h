// The 64-bit-significand real in which the system reads and scales numbers.
//
// Every place that must round to a 64-bit significand (reading a meter
// number, reading a command-line number, power-of-ten scaling, printing a
// real, forming the product in the integer pH reading) goes through the type
// `etendu` and the operations below, and through nothing else, so that the
// same bytes come out on every architecture. The build picks one of two
// implementations with the same operations:
//
//   etendu_x87.h       `long double`, where it is the x87 80-bit format;
//   etendu_logiciel.h  the software real reel64 (reel64.h), elsewhere.
//
// Operations, each rounded to nearest with halves to the even neighbour:
//   depuisentier, depuisdouble   exact conversions in;
//   composer(m, e)               m * 2^e, exact for the table factors;
//   + - * /, unary -, == < <= > >= (a NaN compares unordered);
//   absolu, estnegatif, estinfini, estnan;
//   entierproche                 the nearest integer, as an etendu;
//   exposant2                    the binary exponent (ilogb) of a finite,
//                                non-zero value;
//   versdouble, verssimple       rounded to double, to float;
//   entier64                     rounded to a signed 64-bit integer;
//                                precondition: the result fits.
#pragma once

#include <cstdint>

#ifdef LPH330T_ETENDU_LOGICIEL
#include "driver/etendu_logiciel.h"
#else
#include "driver/etendu_x87.h"
#endif

// x * 10^n, in up to three steps each rounded to the 64-bit significand:
// by 10^(|n| mod 32), then 10^(32 * ((|n| div 32) mod 16)), then
// 10^(512 * (|n| div 512)); division for negative n.
// n >= 5120 gives infinity (of x's sign), n <= -5120 gives zero.
etendu echelle10(etendu x, int n);

// v * 10 + chiffre, each operation rounded to the 64-bit significand.
inline etendu ajoutechiffre(etendu v, int chiffre) {
  return v * depuisentier(10) + depuisentier(chiffre);
}

// Puts the x87 unit at its full 64-bit precision, rounding to nearest, for
// hosts that start it at 53 bits (64-bit Windows does); nothing to do for
// the software real. Called once at start-up by the program and when the
// shared library loads.
void preparecalcul();
