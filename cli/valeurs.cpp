#include <algorithm>
#include <cfenv>
#include <cmath>

#include "cli/cli.h"

char separateur = '.';

namespace {

const char* const textedebordement = "D\xE9" "bordement en virgule flottante";
const char* const texteopincorrecte = "Op\xE9" "ration en virgule flottante incorrecte";

// --- Printing reals ---------------------------------------------------------

// The 18 digits of a, with `est` set so that a = 0.d1d2...d18 * 10^est.
// Precondition: a is finite and greater than zero.
std::uint64_t dixhuitchiffres(etendu a, int& est) {
  const etendu dix = depuisentier(10);
  const etendu dix17 = depuisentier(100000000000000000), dix18 = dix17 * dix;
  // floor(e * log10(2)) + 1 with a fixed-point log10(2); the shift floors
  // negative products too.
  est = ((exposant2(a) * 19728) >> 16) + 1;
  for (;;) {
    etendu y = entierproche(echelle10(a, 18 - est));
    if (y >= dix18) {
      y = y / dix;  // rounded to the significand only, not to an integer
      ++est;
    }
    // The estimate is one too low only for a value below twice a power of
    // ten, so y stayed below 2 * 10^18 and y/10 cannot round up to 10^18.
    y = entierproche(y);
    if (y >= dix17) return static_cast<std::uint64_t>(entier64(y));
    // For binary exponents -681 and -877 the estimate is one too high and
    // only 17 digits came out: one more power of ten gives the eighteenth.
    --est;
  }
}

// The texts are built by appending: GCC 12 warns wrongly (-Wrestrict) on
// some chains of string operator+.
std::string fixe(const std::string& chiffres, int e) {
  std::string t;
  if (e <= 0) {
    t.append("0").append(1, separateur).append(-e, '0').append(chiffres);
  } else if (chiffres.size() <= static_cast<std::size_t>(e)) {
    t.append(chiffres).append(e - chiffres.size(), '0');
  } else {
    t.append(chiffres, 0, e).append(1, separateur).append(chiffres, e);
  }
  return t;
}

std::string scientifique(const std::string& chiffres, int e) {
  std::string t(1, chiffres[0]);
  if (chiffres.size() > 1) t.append(1, separateur).append(chiffres, 1);
  return t.append("E").append(std::to_string(e - 1));
}

// --- Reading command-line numbers -------------------------------------------

bool chiffre(char c) { return c >= '0' && c <= '9'; }

// Precondition: floating-point faults are suspended; overflow shows as an
// infinity and is refused here.
bool lit(const std::string& t, etendu& x) {
  std::size_t i = 0, n = t.size();
  while (i < n && t[i] == ' ') ++i;
  bool negatif = i < n && t[i] == '-';
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  etendu v = depuisentier(0);
  long decimales = 0;
  bool mantisse = false;
  for (; i < n && chiffre(t[i]); ++i, mantisse = true) v = ajoutechiffre(v, t[i] - '0');
  if (i < n && t[i] == separateur) {
    mantisse = true;
    for (++i; i < n && chiffre(t[i]); ++i, ++decimales) v = ajoutechiffre(v, t[i] - '0');
  }
  if (!mantisse) return false;
  long exposant = 0;
  if (i < n && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    bool moins = i < n && t[i] == '-';
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    // Digits stop counting at 500: "1E5000" leaves a digit over and fails.
    for (; i < n && chiffre(t[i]) && exposant < 500; ++i) exposant = exposant * 10 + (t[i] - '0');
    if (moins) exposant = -exposant;
  }
  while (i < n && t[i] == ' ') ++i;
  if (i != n || estinfini(v)) return false;
  // Beyond +-5120 the scaling saturates anyway; the clamp keeps int in range.
  long puissance = std::clamp(exposant - decimales, -5120L, 5120L);
  x = echelle10(v, static_cast<int>(puissance));
  if (estinfini(x)) return false;
  if (negatif) x = -x;
  return true;
}

// --- Rounding ---------------------------------------------------------------

std::int32_t arrondiplace(etendu x, const void* lieu) {
  const etendu bas = depuisentier(INT64_MIN);  // -2^63; 2^63 is the first beyond the top
  etendu r = entierproche(x);
  // NaN first: an ordered comparison with it would itself be an invalid op.
  if (estnan(r) || r < bas || r >= -bas) throw erreur{"EInvalidOp", texteopincorrecte, lieu};
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(entier64(r)));
}

}  // namespace

std::string reelentexte(double x) {
  etendu a = depuisdouble(x);
  if (estnan(a)) return "NAN";
  std::string signe = estnegatif(a) ? "-" : "";
  if (estinfini(a)) return signe + "INF";
  if (a == depuisentier(0)) return "0";
  int e;
  std::string chiffres = std::to_string(dixhuitchiffres(absolu(a), e));
  chiffres.erase(chiffres.find_last_not_of('0') + 1);
  return signe.append(e >= -3 && e <= 18 ? fixe(chiffres, e) : scientifique(chiffres, e));
}

std::string entierentexte(std::int32_t n) { return std::to_string(n); }

etendu lisnombre(const std::string& texte) {
  // The front end may run with overflow faults enabled; here an overflow is a
  // reading failure, not a fault.
  std::fenv_t environnement;
  std::feholdexcept(&environnement);
  etendu x = depuisentier(0);
  bool lu = lit(texte, x);
  std::fesetenv(&environnement);
  if (!lu)
    throw erreur{"EConvertError", "'" + texte + "' n'est pas une valeur en virgule flottante correcte",
                 __builtin_return_address(0)};
  return x;
}

double endouble(etendu x) {
  // From DBL_MAX plus half its last unit on, the nearest double is infinity.
  double d = versdouble(x);
  if (std::isinf(d) && !estinfini(x) && !estnan(x))
    throw erreur{"EOverflow", textedebordement, __builtin_return_address(0)};
  return d;
}

float ensimple(double x) {
  const double limite = std::ldexp(2.0 - 0x1p-24, 127);  // FLT_MAX plus half its last unit
  if (std::isfinite(x) && std::fabs(x) >= limite)
    throw erreur{"EOverflow", textedebordement, __builtin_return_address(0)};
  return static_cast<float>(x);
}

std::int32_t arrondi(double x) { return arrondiplace(depuisdouble(x), __builtin_return_address(0)); }

std::int32_t arrondietendu(etendu x) { return arrondiplace(x, __builtin_return_address(0)); }
