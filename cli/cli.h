// cli - the command front end.
//
// Value text forms: how numbers enter from the command line and how results
// leave as text. None of them keeps state apart from `separateur`.
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

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The command front end: one run answers one question.
//
//   decoupeligne   splits a command line handed over as one text into words:
//                  codes 1 to 32 separate words; a double quote opens a part
//                  that runs to the next one (or to the end) and may hold
//                  separators; quotes are removed and may stand anywhere in a
//                  word; the backslash is an ordinary character; a pair of
//                  quotes at the start of a word is dropped with the
//                  separators after it, so an empty quoted argument does not
//                  count. A word keeps at most 4096 characters; the rest of a
//                  longer word is skipped. The first word is the program name.
//   repondre       the result line (without its line end) for a command word
//                  and the two numbers, calling the driver function of the
//                  command table once; nothing when the word is not one of the
//                  37 commands (exact bytes, case-sensitive). Throws `erreur`
//                  (EOverflow, EInvalidOp) when a number cannot be converted
//                  as the command needs, before the port is touched.
//   executer       the whole run for the words after the program name: sets
//                  `portcom` to "com4:", reads the numbers (defaults 11 and
//                  22; the second before the third, before any command is
//                  looked at) and answers. Throws `erreur`.
//   rapport        the error report of a failure: "Exception <class> dans le
//                  module <program file> à <place>.\n<message>." cut after
//                  1023 characters; the place is 8 uppercase hexadecimal
//                  digits relative to the start of the program's image.
//   ecrisligne     writes a line and its CR LF to standard output: at once to
//                  a console, else through a 128-byte buffer; `videsortie`
//                  hands over what is left. Write errors are not examined.
//   principal      the program: one line out (result or report) and the exit
//                  status, 0 after a normal run (matched or not), 1 after a
//                  report.

std::vector<std::string> decoupeligne(std::string_view ligne);
std::optional<std::string> repondre(const std::string& commande, double voie, double valeur);
std::optional<std::string> executer(const std::vector<std::string>& mots);
std::string rapport(const erreur& e, const std::string& module, std::uintptr_t baseimage);
void ecrisligne(const std::string& texte);
void videsortie();
int principal(int argc, char** argv);

// Platform services (one file per platform).
std::vector<std::string> motsdelaligne(int argc, char** argv);  // without the program name
std::string nomduprogramme(const char* argv0);  // its file name, no directory
std::uintptr_t baseduprogramme();  // where the program's image starts
bool sortieestconsole();
void ecrisoctets(const char* octets, std::size_t n);
