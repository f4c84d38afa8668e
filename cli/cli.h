// cli - the command front end.
//
// Value text forms: how numbers enter from the command line and how results
// leave as text. Every function below is pure apart from `separateur`.
//
//   lisseparateur  reads the user's decimal symbol into `separateur`, once at
//                  start-up (POSIX: LC_NUMERIC from the environment, the
//                  process locale left at "C"; Windows: the user locale's
//                  decimal symbol). "." when it cannot be read or is longer
//                  than one character. Never fails.
//   reelentexte    the printed form of a real result: 18 significant digits
//                  at most, trailing zeros dropped, fixed notation for
//                  decimal exponents -3 to 18 (1E-3 <= |x| < 1E18, roughly),
//                  scientific otherwise ("1.5E-7", "1E18"; no plus sign),
//                  "INF", "-INF", "NAN", and "0" for both zeros. Uses
//                  `separateur`. Never fails.
//   entierentexte  the printed form of an integer result: "-777", "702".
//   lisnombre      a command-line number: spaces, an optional sign directly
//                  before it, digits with `separateur` as the only decimal
//                  mark, an optional exponent, spaces. The value keeps the
//                  64-bit significand (1E400 reads; storing it overflows).
//                  Throws EConvertError for any other text and for values
//                  beyond the extended range.
//   endouble       stores a read number as a double (rounded to nearest).
//   ensimple       narrows a double to single precision (rounded to nearest).
//                  Both throw EOverflow for a finite value that rounds beyond
//                  their range; infinities and NaNs pass unchanged, since
//                  they are already out of range and nothing new overflows.
//   arrondi        rounds to the nearest integer, halves to even, as a signed
//   arrondietendu  64-bit integer of which the low 32 bits are returned
//                  (4294967297 gives 1). Throws EInvalidOp for a NaN, an
//                  infinity or a result outside the 64-bit range: the largest
//                  double that rounds is 2^63 - 1024.
//
// Errors are thrown as `erreur` and are meant to reach the front end's error
// report uncaught. Messages are bytes in the Windows ANSI code page. `lieu`
// is the return address of the throwing function, i.e. the call site in its
// caller, which the report shows relative to the program's image.
//
// All of it assumes the default floating-point environment: rounding to
// nearest, ties to even, and the x87 unit at its full 64-bit precision.
#pragma once

#include <cstdint>
#include <string>

#include "driver/etendu.h"

struct erreur {
  const char* classe;  // "EConvertError", "EOverflow" or "EInvalidOp"
  std::string message;
  const void* lieu;
};

extern char separateur;  // '.' until lisseparateur has run

void lisseparateur();
std::string reelentexte(double x);
std::string entierentexte(std::int32_t n);
etendu lisnombre(const std::string& texte);
double endouble(etendu x);
float ensimple(double x);
std::int32_t arrondi(double x);
std::int32_t arrondietendu(etendu x);
