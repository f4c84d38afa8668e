// The software real against the x87 unit, bit for bit, over generated
// operands: random bit patterns, halfway cases, subnormal results, overflow
// and the special values. Built only where long double is the 80-bit format.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

#include "driver/puissances10.h"
#include "driver/reel64.h"
#include "materiel.h"

using logiciel::reel64;

namespace {

static_assert(LDBL_MANT_DIG == 64, "the comparison needs the x87 80-bit format");

const int biais = 16383;
std::mt19937_64 hasard(20240917);

std::string texte(reel64 x) {
  char t[64];
  std::snprintf(t, sizeof t, "%c%04X:%016llX", x.negatif ? '-' : '+', x.exposant,
                static_cast<unsigned long long>(x.mantisse));
  return t;
}

bool memes(reel64 a, reel64 b) {
  return a.negatif == b.negatif && a.exposant == b.exposant && a.mantisse == b.mantisse;
}

// A valid encoding with its binary exponent near `centre` (within
// `etendue`), clamped to the format: subnormal below, infinity or NaN above.
reel64 autourde(int centre, int etendue, std::uint64_t mantisse) {
  int e = centre + static_cast<int>(hasard() % (2 * etendue + 1)) - etendue + biais;
  bool negatif = hasard() & 1;
  if (e <= 0) return {negatif, 0, (mantisse | 1ull << 63) >> std::min(63, 1 - e)};
  if (e >= 0x7FFF) return {negatif, 0x7FFF, (hasard() & 1) ? 1ull << 63 : mantisse | 1ull << 63};
  return {negatif, static_cast<std::uint16_t>(e), mantisse | 1ull << 63};
}

// A significand with its bits at random, or with few significant bits, so
// that products and sums land on or near halfway.
std::uint64_t mantisse() {
  switch (hasard() % 4) {
    case 0: return (hasard() | 1) << (hasard() % 34 + 30);  // few bits: exact ties
    case 1: return 1ull << 63 | (hasard() % 4);              // 1 + tiny
    case 2: return ~0ull - (hasard() % 4);                   // just below 2
    default: return hasard();
  }
}

reel64 special() {
  bool n = hasard() & 1;
  switch (hasard() % 6) {
    case 0: return {n, 0, 0};
    case 1: return {n, 0x7FFF, 1ull << 63};
    case 2: return {n, 0x7FFF, 3ull << 62 | (hasard() & 0xFF)};         // quiet NaN
    case 3: return {n, 0x7FFF, 1ull << 63 | (hasard() % 1000 + 1)};     // signalling NaN
    case 4: return {n, 0, hasard() >> 1};                                // subnormal
    default: return {n, 0x7FFF, 3ull << 62};
  }
}

struct paire {
  reel64 a, b;
};

// Operand pairs by family; each family aims at one kind of result.
using famille = std::function<paire()>;
const struct {
  const char* nom;
  famille f;
} familles[] = {
    {"random bit patterns", [] { return paire{autourde(0, 16400, hasard()), autourde(0, 16400, hasard())}; }},
    {"close exponents", [] {
       int c = static_cast<int>(hasard() % 2000) - 1000;
       return paire{autourde(c, 0, mantisse()), autourde(c, 70, mantisse())};
     }},
    {"subnormal results", [] {
       int c = -8191 - static_cast<int>(hasard() % 80);
       paire p{autourde(c, 2, mantisse()), autourde(c, 2, mantisse())};
       if (hasard() & 1) p.b = autourde(8191 + static_cast<int>(hasard() % 80), 2, mantisse());
       return p;
     }},
    {"near the smallest", [] { return paire{autourde(-16382, 70, mantisse()), autourde(-16382, 70, mantisse())}; }},
    {"overflow", [] {
       int c = 8191 + static_cast<int>(hasard() % 3);
       paire p{autourde(c, 1, mantisse()), autourde(c, 1, mantisse())};
       if (hasard() & 1) p.b = autourde(-8191 - static_cast<int>(hasard() % 3), 1, mantisse());
       return p;
     }},
    {"near the largest", [] { return paire{autourde(16383, 2, mantisse()), autourde(16383, 70, mantisse())}; }},
    {"special values", [] { return paire{special(), (hasard() & 1) ? special() : autourde(0, 100, hasard())}; }},
};

const int parfamille = 200000;

TEST(reel64, operationsbinaires) {
  const struct {
    const char* nom;
    std::function<long double(long double, long double)> materiel;
    std::function<reel64(reel64, reel64)> logiciel;
  } operations[] = {
      {"+", std::plus<long double>(), [](reel64 a, reel64 b) { return a + b; }},
      {"-", std::minus<long double>(), [](reel64 a, reel64 b) { return a - b; }},
      {"*", std::multiplies<long double>(), [](reel64 a, reel64 b) { return a * b; }},
      {"/", std::divides<long double>(), [](reel64 a, reel64 b) { return a / b; }},
  };
  long comptes = 0;
  for (const auto& f : familles)
    for (const auto& o : operations) {
      int fautes = 0;
      for (int i = 0; i < parfamille && fautes < 5; ++i, ++comptes) {
        paire p = f.f();
        if (hasard() & 1) std::swap(p.a, p.b);
        reel64 attendu = depuismateriel(o.materiel(versmateriel(p.a), versmateriel(p.b)));
        reel64 obtenu = o.logiciel(p.a, p.b);
        if (!memes(attendu, obtenu)) {
          ++fautes;
          ADD_FAILURE() << f.nom << ": " << texte(p.a) << " " << o.nom << " " << texte(p.b) << " = "
                        << texte(attendu) << ", not " << texte(obtenu);
        }
      }
    }
  RecordProperty("operands", std::to_string(comptes));
  std::printf("%ld operand pairs compared\n", comptes);
}

TEST(reel64, comparaisons) {
  // -1 less, 0 equal, 1 greater, 2 unordered
  auto materiel = [](long double a, long double b) { return a < b ? -1 : a == b ? 0 : a > b ? 1 : 2; };
  auto logiciel = [](reel64 a, reel64 b) {
    auto o = a <=> b;
    int r = o < 0 ? -1 : o == 0 ? 0 : o > 0 ? 1 : 2;
    EXPECT_EQ(r == 0, a == b);
    return r;
  };
  long comptes = 0;
  for (const auto& f : familles)
    for (int i = 0; i < parfamille / 4; ++i, ++comptes) {
      paire p = f.f();
      if (hasard() % 8 == 0) p.b = p.a;
      if (hasard() % 8 == 0) p.b = reel64{!p.a.negatif, p.a.exposant, p.a.mantisse};
      ASSERT_EQ(materiel(versmateriel(p.a), versmateriel(p.b)), logiciel(p.a, p.b))
          << f.nom << ": " << texte(p.a) << " ? " << texte(p.b);
    }
  std::printf("%ld pairs compared\n", comptes);
}

// One-operand operations over operands of every family, and over values
// near the integers and halfway between them.
TEST(reel64, operationsunaires) {
  std::vector<reel64> operandes;
  for (const auto& f : familles)
    for (int i = 0; i < parfamille / 2; ++i) operandes.push_back(f.f().a);
  for (int i = 0; i < parfamille; ++i) {
    int e = static_cast<int>(hasard() % 72) - 4;  // 2^-4 to 2^67
    long double k = std::ldexp(static_cast<long double>(hasard() >> 1), e - 63);
    long double v = std::nearbyint(k) + 0.5L * static_cast<long double>(hasard() % 3);  // n, n + 1/2, n + 1
    operandes.push_back(depuismateriel((hasard() & 1) ? -v : v));
    operandes.push_back(depuismateriel(std::nextafter(v, 0.0L)));
    operandes.push_back(depuismateriel(-std::nextafter(v, 1e30L)));
  }
  for (double d : {0x1p63, -0x1p63, 0x1p63 - 1024, 9.2233720368547758e18, 0.5, -0.5, 1.5, 2.5, -2.5})
    operandes.push_back(depuismateriel(d));
  operandes.push_back(depuismateriel(-0x1p63L - 0.5L));
  operandes.push_back(depuismateriel(0x1p63L - 0.5L));
  operandes.push_back(depuismateriel(-0x1p63L - 1));

  const struct {
    const char* nom;
    std::function<reel64(long double)> materiel;
    std::function<reel64(reel64)> logiciel;
  } operations[] = {
      {"nearbyint", [](long double x) { return depuismateriel(std::nearbyint(x)); }, logiciel::entierproche},
      {"fabs", [](long double x) { return depuismateriel(std::fabs(x)); }, logiciel::absolu},
      {"-", [](long double x) { return depuismateriel(-x); }, [](reel64 x) { return -x; }},
      {"double", [](long double x) { return depuismateriel(static_cast<double>(x)); },
       [](reel64 x) { return depuismateriel(logiciel::versdouble(x)); }},
      {"float", [](long double x) { return depuismateriel(static_cast<float>(x)); },
       [](reel64 x) { return depuismateriel(logiciel::verssimple(x)); }},
      {"llrint", [](long double x) { return reel64{false, 0, static_cast<std::uint64_t>(std::llrint(x))}; },
       [](reel64 x) { return reel64{false, 0, static_cast<std::uint64_t>(logiciel::entier64(x))}; }},
  };
  for (const auto& o : operations) {
    int fautes = 0;
    for (reel64 x : operandes) {
      reel64 attendu = o.materiel(versmateriel(x)), obtenu = o.logiciel(x);
      if (!memes(attendu, obtenu) && ++fautes <= 5)
        ADD_FAILURE() << o.nom << "(" << texte(x) << ") = " << texte(attendu) << ", not " << texte(obtenu);
    }
  }
  int exposants = 0;
  for (reel64 x : operandes) {
    long double m = versmateriel(x);
    if (!std::isfinite(m) || m == 0) continue;
    ++exposants;
    ASSERT_EQ(std::ilogb(m), logiciel::exposant2(x)) << texte(x);
    EXPECT_EQ(std::isnan(m), logiciel::estnan(x));
    EXPECT_EQ(std::signbit(m), logiciel::estnegatif(x));
  }
  for (reel64 x : {special(), special(), special(), special()}) {
    long double m = versmateriel(x);
    EXPECT_EQ(std::isnan(m), logiciel::estnan(x)) << texte(x);
    EXPECT_EQ(std::isinf(m), logiciel::estinfini(x)) << texte(x);
  }
  std::printf("%zu operands, %d with an exponent\n", operandes.size(), exposants);
}

// The exact ways in: doubles (every class, NaNs with their payload), 64-bit
// integers and significand-exponent pairs.
TEST(reel64, entrees) {
  int fautes = 0;
  for (int i = 0; i < 4 * parfamille && fautes < 5; ++i) {
    std::uint64_t b = hasard();
    if (i % 4 == 1) b = (b & 0x800FFFFFFFFFFFFFull) | (hasard() % 3 == 0 ? 0x7FF0000000000000ull : 0);
    double d;
    std::memcpy(&d, &b, sizeof d);
    reel64 attendu = depuismateriel(d), obtenu = logiciel::depuisdouble(d);
    if (!memes(attendu, obtenu))
      ++fautes, ADD_FAILURE() << "double " << std::hexfloat << d << " = " << texte(attendu) << ", not " << texte(obtenu);
    auto n = static_cast<std::int64_t>(hasard() >> (hasard() % 64));
    if (hasard() & 1) n = -n;
    attendu = depuismateriel(static_cast<long double>(n));
    obtenu = logiciel::depuisentier(n);
    if (!memes(attendu, obtenu)) ++fautes, ADD_FAILURE() << "integer " << n << " = " << texte(attendu) << ", not " << texte(obtenu);
    std::uint64_t m = hasard();
    int e = static_cast<int>(hasard() % 33000) - 16500;
    attendu = depuismateriel(std::ldexp(static_cast<long double>(m), e));
    obtenu = logiciel::composer(m, e);
    if (!memes(attendu, obtenu)) ++fautes, ADD_FAILURE() << m << " * 2^" << e << " = " << texte(attendu) << ", not " << texte(obtenu);
  }
  EXPECT_TRUE(memes(logiciel::depuisentier(INT64_MIN), depuismateriel(-0x1p63L)));
  EXPECT_TRUE(memes(logiciel::depuisentier(0), depuismateriel(0.0L)));
}

}  // namespace

namespace {

// The generated scaling factors are the values the compiler rounds from the
// decimal literals.
TEST(reel64, puissancesdedix) {
  const long double litteraux[] = {
      1e0L,    1e1L,    1e2L,    1e3L,    1e4L,    1e5L,    1e6L,    1e7L,    1e8L,    1e9L,
      1e10L,   1e11L,   1e12L,   1e13L,   1e14L,   1e15L,   1e16L,   1e17L,   1e18L,   1e19L,
      1e20L,   1e21L,   1e22L,   1e23L,   1e24L,   1e25L,   1e26L,   1e27L,   1e28L,   1e29L,
      1e30L,   1e31L,   1e0L,    1e32L,   1e64L,   1e96L,   1e128L,  1e160L,  1e192L,  1e224L,
      1e256L,  1e288L,  1e320L,  1e352L,  1e384L,  1e416L,  1e448L,  1e480L,  1e0L,    1e512L,
      1e1024L, 1e1536L, 1e2048L, 1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};
  std::vector<puissance> table(std::begin(unites), std::end(unites));
  table.insert(table.end(), std::begin(dizaines), std::end(dizaines));
  table.insert(table.end(), std::begin(centaines), std::end(centaines));
  ASSERT_EQ(table.size(), std::size(litteraux));
  for (std::size_t i = 0; i < table.size(); ++i)
    EXPECT_TRUE(memes(depuismateriel(litteraux[i]), logiciel::composer(table[i].mantisse, table[i].exposant)))
        << i << ": " << texte(depuismateriel(litteraux[i]));
}

}  // namespace
