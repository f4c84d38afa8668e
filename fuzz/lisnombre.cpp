// Command-line numbers. The first byte chooses the decimal separator ('.'
// or ','), the rest is the argument. A text that reads gives a finite value
// close to what the C library reads from the same number; a text that does
// not read raises EConvertError naming the text.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/cli.h"
#include "verifie.h"

namespace {

bool chiffre(char c) { return c >= '0' && c <= '9'; }

// The same number as strtold reads it: '.' for the separator, a digit after a
// separator that has none (the C library wants one on one side at least), an
// exponent without digits and the trailing spaces left out.
std::string pourstrtold(const std::string& texte) {
  std::string t;
  for (std::size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] != separateur) {
      t += texte[i];
      continue;
    }
    t += '.';
    if (i + 1 == texte.size() || !chiffre(texte[i + 1])) t += '0';
  }
  while (!t.empty() && t.back() == ' ') t.pop_back();
  if (t.size() >= 2 && (t.back() == '+' || t.back() == '-') &&
      (t[t.size() - 2] == 'E' || t[t.size() - 2] == 'e'))
    t.pop_back();
  if (!t.empty() && (t.back() == 'E' || t.back() == 'e')) t.pop_back();
  return t;
}

// Beyond these the reading's stepwise rounding and the C library's correct
// rounding may part at the ends of the range (zero against a denormal,
// infinity against the largest value).
bool comparable(long double r) {
  return std::fabs(r) > LDBL_MIN * 1e30L && std::fabs(r) < LDBL_MAX / 1e30L;
}

void accepte(const std::string& texte, etendu x) {
  verifie(std::isfinite(x));
  std::string t = pourstrtold(texte);
  char* fin = nullptr;
  long double r = std::strtold(t.c_str(), &fin);
  verifie(fin == t.c_str() + t.size());
  if (r == 0) verifie(x == 0);
  // Each digit and each scaling step rounds once to 64 bits: far below 1e-12
  // even for thousands of digits.
  if (comparable(r)) verifie(std::fabs(x - r) <= 1e-12L * std::fabs(r));
}

void refuse(const std::string& texte, const erreur& e) {
  verifie(std::string(e.classe) == "EConvertError");
  verifie(e.message.compare(0, texte.size() + 2, "'" + texte + "'") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  if (taille == 0) return 0;
  separateur = donnees[0] & 1 ? ',' : '.';
  std::string texte(reinterpret_cast<const char*>(donnees + 1), taille - 1);
  try {
    accepte(texte, lisnombre(texte));
  } catch (const erreur& e) {
    refuse(texte, e);
  }
  return 0;
}
