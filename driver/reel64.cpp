#include "driver/reel64.h"

#include <bit>
#include <cstring>
#include <utility>

namespace logiciel {

namespace {

using u128 = unsigned __int128;

const int biais = 16383;
const std::uint16_t plein = 0x7FFF;  // the exponent of infinities and NaNs
const int emin = 1 - biais;          // of normal values, and of subnormals' scale
const int emax = biais;
const std::uint64_t unite = 1ull << 63;   // the integer bit
const std::uint64_t bitcalme = 1ull << 62;  // the quiet bit of a NaN

reel64 zero(bool negatif) { return {negatif, 0, 0}; }
reel64 infini(bool negatif) { return {negatif, plein, unite}; }
// The x87 "real indefinite": what an invalid operation gives.
reel64 indefini() { return {true, plein, unite | bitcalme}; }

bool special(reel64 x) { return x.exposant == plein; }
bool nul(reel64 x) { return x.exposant == 0 && x.mantisse == 0; }
bool estnan_(reel64 x) { return special(x) && (x.mantisse << 1) != 0; }
reel64 calmer(reel64 x) {
  x.mantisse |= bitcalme;
  return x;
}

// The x87 unit's choice between NaN operands: a quiet one over a signalling
// one, then the larger significand; the result is always quiet.
reel64 propage(reel64 a, reel64 b) {
  if (!estnan_(a)) return calmer(b);
  if (!estnan_(b)) return calmer(a);
  bool qa = a.mantisse & bitcalme, qb = b.mantisse & bitcalme;
  if (qa != qb) return qa ? a : b;
  if (a.mantisse != b.mantisse) return calmer(a.mantisse > b.mantisse ? a : b);
  return calmer(a.negatif ? b : a);
}

// x = m * 2^(e - 63) with bit 63 of m set; e is returned.
// Precondition: x finite and not zero.
int deplie(reel64 x, std::uint64_t& m) {
  if (x.exposant != 0) {
    m = x.mantisse;
    return x.exposant - biais;
  }
  int s = std::countl_zero(x.mantisse);
  m = x.mantisse << s;
  return emin - s;
}

int zerosentete(u128 m) {
  auto haut = static_cast<std::uint64_t>(m >> 64);
  return haut ? std::countl_zero(haut) : 64 + std::countl_zero(static_cast<std::uint64_t>(m));
}

// m >> n, with a 1 in the lowest bit when a set bit was shifted out: enough
// for rounding as long as two bits or more lie between it and the rounding
// point.
u128 decaledroite(u128 m, int n) {
  if (n == 0) return m;
  if (n >= 128) return m != 0;
  return (m >> n) | ((m & ((u128(1) << n) - 1)) != 0);
}

// Rounds m * 2^(e - 127) (bit 127 of m set) to p bits, halves to even, with
// no exponent below `bas`: the result is q * 2^(e - p + 1), e updated; q has
// bit p - 1 set unless the value fell into the subnormal range.
u128 arrondit(u128 m, int& e, int p, int bas) {
  int decalage = 128 - p;
  if (e < bas) {
    decalage += bas - e;
    e = bas;
  }
  if (decalage > 128) return 0;  // below half the smallest step
  u128 q = decalage == 128 ? 0 : m >> decalage;
  u128 reste = decalage == 128 ? m : m & ((u128(1) << decalage) - 1);
  u128 moitie = u128(1) << (decalage - 1);
  if (reste > moitie || (reste == moitie && (q & 1))) ++q;
  if (q >> p) {  // all ones rounded up to the next power of two
    q >>= 1;
    ++e;
  }
  return q;
}

// The reel64 nearest to m * 2^k.
reel64 forme(bool negatif, int k, u128 m) {
  if (m == 0) return zero(negatif);
  int s = zerosentete(m);
  int e = k + 127 - s;
  u128 q = arrondit(m << s, e, 64, emin);
  if (q == 0) return zero(negatif);
  if (e > emax) return infini(negatif);
  auto mq = static_cast<std::uint64_t>(q);
  return {negatif, static_cast<std::uint16_t>(mq & unite ? e + biais : 0), mq};
}

// x in the binary interchange format of p significand bits and the given
// exponent width, as its bit pattern (double: 53, 11; float: 24, 8).
std::uint64_t versieee(reel64 x, int p, int largeur) {
  const int biaisc = (1 << (largeur - 1)) - 1;
  const std::uint64_t fraction = (1ull << (p - 1)) - 1;
  const std::uint64_t plein_c = ((1ull << largeur) - 1) << (p - 1);
  std::uint64_t signe = static_cast<std::uint64_t>(x.negatif) << (p - 1 + largeur);
  if (estnan_(x))  // the x87 unit keeps the top of the payload, made quiet
    return signe | plein_c | (x.mantisse >> (64 - p) & fraction) | (1ull << (p - 2));
  if (special(x)) return signe | plein_c;
  if (nul(x)) return signe;
  std::uint64_t m;
  int e = deplie(x, m);
  u128 q = arrondit(u128(m) << 64, e, p, 1 - biaisc);
  if (q == 0) return signe;
  if (e > biaisc) return signe | plein_c;
  std::uint64_t champ = q >> (p - 1) ? static_cast<std::uint64_t>(e + biaisc) : 0;
  return signe | champ << (p - 1) | (static_cast<std::uint64_t>(q) & fraction);
}

}  // namespace

reel64 depuisentier(std::int64_t n) {
  std::uint64_t grandeur = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  return forme(n < 0, 0, grandeur);
}

reel64 depuisdouble(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  bool negatif = b >> 63;
  int champ = static_cast<int>(b >> 52 & 0x7FF);
  std::uint64_t fraction = b & ((1ull << 52) - 1);
  if (champ == 0x7FF)
    return fraction ? reel64{negatif, plein, unite | bitcalme | fraction << 11} : infini(negatif);
  if (champ == 0) return forme(negatif, -1074, fraction);
  return forme(negatif, champ - 1075, fraction | 1ull << 52);
}

reel64 composer(std::uint64_t mantisse, int exposant) { return forme(false, exposant, mantisse); }

reel64 operator*(reel64 a, reel64 b) {
  if (estnan_(a) || estnan_(b)) return propage(a, b);
  bool negatif = a.negatif != b.negatif;
  if (special(a) || special(b)) return nul(a) || nul(b) ? indefini() : infini(negatif);
  if (nul(a) || nul(b)) return zero(negatif);
  std::uint64_t ma, mb;
  int ea = deplie(a, ma), eb = deplie(b, mb);
  return forme(negatif, ea + eb - 126, u128(ma) * mb);
}

reel64 operator/(reel64 a, reel64 b) {
  if (estnan_(a) || estnan_(b)) return propage(a, b);
  bool negatif = a.negatif != b.negatif;
  if (special(a)) return special(b) ? indefini() : infini(negatif);
  if (special(b)) return zero(negatif);
  if (nul(b)) return nul(a) ? indefini() : infini(negatif);
  if (nul(a)) return zero(negatif);
  std::uint64_t ma, mb;
  int ea = deplie(a, ma), eb = deplie(b, mb);
  // 64 or 65 quotient bits, two more, and a last one that says whether
  // anything remains: enough to round exactly at any precision up to 64.
  u128 n = u128(ma) << 64;
  u128 q = n / mb, r = n % mb;
  q = q << 2 | (r << 2) / mb;
  r = (r << 2) % mb;
  return forme(negatif, ea - eb - 67, q << 1 | (r != 0));
}

reel64 operator+(reel64 a, reel64 b) {
  if (estnan_(a) || estnan_(b)) return propage(a, b);
  if (special(a)) return special(b) && a.negatif != b.negatif ? indefini() : a;
  if (special(b)) return b;
  if (nul(a) && nul(b)) return zero(a.negatif && b.negatif);
  if (nul(a)) return b;
  if (nul(b)) return a;
  std::uint64_t ma, mb;
  int ea = deplie(a, ma), eb = deplie(b, mb);
  if (ea < eb || (ea == eb && ma < mb)) {
    std::swap(a, b);
    std::swap(ma, mb);
    std::swap(ea, eb);
  }
  // The larger at bit 126, leaving room for a carry; the smaller shifted
  // into line. Only a difference of exponents of 0 or 1 can cancel more than
  // one leading bit, and then nothing was shifted out.
  u128 grand = u128(ma) << 63;
  u128 petit = decaledroite(u128(mb) << 63, ea - eb);
  if (a.negatif == b.negatif) return forme(a.negatif, ea - 126, grand + petit);
  if (grand == petit) return zero(false);  // x - x is +0 when rounding to nearest
  return forme(a.negatif, ea - 126, grand - petit);
}

// A NaN keeps its sign: the x87 unit subtracts without negating it.
reel64 operator-(reel64 a, reel64 b) { return estnan_(a) || estnan_(b) ? propage(a, b) : a + -b; }

reel64 operator-(reel64 a) {
  a.negatif = !a.negatif;
  return a;
}

std::partial_ordering operator<=>(reel64 a, reel64 b) {
  if (estnan_(a) || estnan_(b)) return std::partial_ordering::unordered;
  if (nul(a) && nul(b)) return std::partial_ordering::equivalent;
  if (a.negatif != b.negatif) return a.negatif ? std::partial_ordering::less : std::partial_ordering::greater;
  // The encoding orders magnitudes, subnormals included.
  auto grandeur = [](reel64 x) { return std::pair(x.exposant, x.mantisse); };
  return a.negatif ? grandeur(b) <=> grandeur(a) : grandeur(a) <=> grandeur(b);
}

bool operator==(reel64 a, reel64 b) { return (a <=> b) == 0; }

reel64 absolu(reel64 x) {
  x.negatif = false;
  return x;
}

reel64 entierproche(reel64 x) {
  if (estnan_(x)) return calmer(x);
  if (special(x) || nul(x)) return x;
  std::uint64_t m;
  int e = deplie(x, m);
  if (e >= 63) return x;  // already an integer
  // Rounded with 2^0 as the smallest step.
  u128 q = arrondit(u128(m) << 64, e, 64, 63);
  return forme(x.negatif, 0, q);
}

int exposant2(reel64 x) {
  std::uint64_t m;
  return deplie(x, m);
}

bool estnan(reel64 x) { return estnan_(x); }
bool estinfini(reel64 x) { return special(x) && !estnan_(x); }
bool estnegatif(reel64 x) { return x.negatif; }

double versdouble(reel64 x) {
  std::uint64_t b = versieee(x, 53, 11);
  double d;
  std::memcpy(&d, &b, sizeof d);
  return d;
}

float verssimple(reel64 x) {
  auto b = static_cast<std::uint32_t>(versieee(x, 24, 8));
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

std::int64_t entier64(reel64 x) {
  if (special(x)) return INT64_MIN;
  reel64 r = entierproche(x);
  if (nul(r)) return 0;
  std::uint64_t m;
  int e = deplie(r, m);
  if (e > 63) return INT64_MIN;
  std::uint64_t grandeur = m >> (63 - e);
  if (r.negatif) return grandeur > unite ? INT64_MIN : static_cast<std::int64_t>(0 - grandeur);
  return grandeur >= unite ? INT64_MIN : static_cast<std::int64_t>(grandeur);
}

}  // namespace logiciel
