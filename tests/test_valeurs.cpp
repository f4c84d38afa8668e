// Value text forms: printed reals and integers, command-line numbers,
// storing and rounding, with their error reports.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>

#include "cli/cli.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

// The text with every '.' written as `sep`.
std::string avec(std::string texte, char sep) {
  for (char& c : texte)
    if (c == '.') c = sep;
  return texte;
}

// Extended values built only with the operations of etendu.h, so that the
// expectations hold for either implementation.
etendu entier(std::int64_t n) { return depuisentier(n); }
etendu reel(double x) { return depuisdouble(x); }
etendu quotient(std::int64_t a, std::int64_t b) { return depuisentier(a) / depuisentier(b); }

// Runs f, which must throw; gives back the error.
template <class F>
erreur echec(F f) {
  try {
    f();
  } catch (const erreur& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return erreur{"", "", nullptr};
}

class separateurs : public testing::TestWithParam<char> {
 protected:
  void SetUp() override { separateur = GetParam(); }
  void TearDown() override { separateur = '.'; }
};
INSTANTIATE_TEST_SUITE_P(point_virgule, separateurs, testing::Values('.', ','));

TEST_P(separateurs, reelentexte) {
  struct cas {
    double x;
    const char* texte;  // with '.' for the separator
  } table[] = {
      {7.02, "7.01999999999999957"},
      {static_cast<double>(7.02f), "7.01999998092651367"},
      {10.04, "10.0399999999999992"},
      {99.99, "99.9899999999999949"},
      {0.1, "0.100000000000000006"},
      {0.5, "0.5"},
      {-1.25, "-1.25"},
      {14.0, "14"},
      {702.0, "702"},
      {-777.0, "-777"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.0001, "0.000100000000000000005"},
      {0.00001, "1.00000000000000008E-5"},
      {1e17, "100000000000000000"},
      {1e18, "1E18"},
      // Beyond the usual results: both ends of fixed notation, the extremes.
      {0.001, "0.00100000000000000002"},
      {-1e-5, "-1.00000000000000008E-5"},
      {999999999999999872.0, "999999999999999872"},
      {123456.789, "123456.789000000004"},
      {4294967296.0, "4294967296"},
      {1e21, "1E21"},
      {1.5e300, "1.50000000000000008E300"},
      {DBL_MAX, "1.79769313486231571E308"},
      {-DBL_MIN, "-2.22507385850720138E-308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841246544E-324"},
      {inf, "INF"},
      {-inf, "-INF"},
      {nan, "NAN"},
      {-nan, "NAN"},
  };
  for (const cas& c : table) EXPECT_EQ(reelentexte(c.x), avec(c.texte, GetParam())) << c.texte;
}

TEST(entierentexte, formes) {
  EXPECT_EQ(entierentexte(-777), "-777");
  EXPECT_EQ(entierentexte(702), "702");
  EXPECT_EQ(entierentexte(0), "0");
  EXPECT_EQ(entierentexte(INT32_MIN), "-2147483648");
  EXPECT_EQ(entierentexte(INT32_MAX), "2147483647");
}

// Digits of the decimal mantissa (before any 'E'), leading zeros left out.
int significatifs(const std::string& t) {
  std::string m = t.substr(0, t.find('E'));
  std::size_t debut = m.find_first_of("123456789");
  int n = 0;
  for (std::size_t i = debut; debut != std::string::npos && i < m.size(); ++i) n += m[i] >= '0' && m[i] <= '9';
  return n;
}

void verifie(double x) {
  std::string t = reelentexte(x);
  SCOPED_TRACE(t);
  char* fin = nullptr;
  double relu = std::strtod(t.c_str(), &fin);
  ASSERT_EQ(fin, t.c_str() + t.size());
  if (std::isnan(x)) {
    ASSERT_TRUE(std::isnan(relu));
    return;
  }
  ASSERT_EQ(relu, x);
  ASSERT_LE(significatifs(t), 18);
  std::string mantisse = t.substr(0, t.find('E'));
  if (mantisse.find('.') != std::string::npos) {
    ASSERT_NE(mantisse.back(), '0');
  }
  ASSERT_EQ(t.find('+'), std::string::npos);
}

double bits(std::uint64_t b) {
  double x;
  std::memcpy(&x, &b, sizeof x);
  return x;
}

// Every printed real reads back as the very same double.
TEST(reelentexte, relecture) {
  std::mt19937_64 hasard(20240611);
  long comptes = 0;
  auto essai = [&](double x) {
    verifie(x);
    verifie(-x);
    comptes += 2;
  };
  for (int i = 0; i < 500000; ++i) essai(bits(hasard()));
  for (int i = 0; i < 50000; ++i) essai(bits(hasard() & 0x000FFFFFFFFFFFFFu));  // subnormals
  for (int e = -1074; e <= 1023; ++e) {
    double p = std::ldexp(1.0, e);
    essai(p);
    essai(std::nextafter(p, 0.0));
    essai(std::nextafter(p, inf));
    for (int i = 0; i < 20; ++i) essai(std::ldexp(1.0 + std::ldexp(double(hasard() >> 12), -52), e));
  }
  for (int k = -324; k <= 308; ++k) {
    double p = std::strtod(("1e" + std::to_string(k)).c_str(), nullptr);
    for (double q = p, r = p, j = 0; j < 4; ++j, q = std::nextafter(q, 0.0), r = std::nextafter(r, inf)) {
      essai(q);
      essai(r);
    }
  }
  for (int i = 0; i <= 100000; ++i) essai(i);
  for (int i = 0; i < 50000; ++i) essai(static_cast<double>(static_cast<std::int64_t>(hasard())));
  for (double x : {DBL_MAX, DBL_MIN, std::numeric_limits<double>::denorm_min(), inf, nan}) essai(x);
  RecordProperty("doubles", std::to_string(comptes));
  std::printf("%ld doubles printed and read back\n", comptes);
}

// Where the decimal exponent estimate is one too high, the digits still
// start with a non-zero digit and there are eighteen of them.
TEST(reelentexte, estimationtrophaute) {
  EXPECT_EQ(reelentexte(std::ldexp(1.0, -681)).substr(0, 1), "9");
  EXPECT_EQ(significatifs(reelentexte(std::ldexp(1.0, -681))), 18);
  EXPECT_EQ(reelentexte(std::ldexp(1.0, -681)).substr(19), "E-206");
  EXPECT_EQ(significatifs(reelentexte(std::ldexp(1.0, -877))), 18);
  EXPECT_EQ(reelentexte(std::ldexp(1.0, -877)).substr(19), "E-265");
}

TEST_P(separateurs, lisnombre) {
  struct cas {
    const char* texte;  // with '.' for the separator
    etendu attendu;
  } table[] = {
      {"11", entier(11)},
      {"  2.5  ", reel(2.5)},
      {"+2.5", reel(2.5)},
      {"1e3", entier(1000)},
      {"1E+3", entier(1000)},
      {"1000.", entier(1000)},
      {"1E", entier(1)},
      {"1e-", entier(1)},
      {"1.5e+2", entier(150)},
      {".", entier(0)},
      {"5.", entier(5)},
      {".5", reel(0.5)},
      {"-.5", reel(-0.5)},
      {"-7.02", -quotient(702, 100)},  // 7.02 rounded once to 64 bits
      {"00012", entier(12)},
      {"1e0005", entier(100000)},
      {"123.456", quotient(123456, 1000)},
      {"0.001", quotient(1, 1000)},
      {"1E-4960", entier(0)},
      {"18446744073709551615", composer(~0ull, 0)},
  };
  for (const cas& c : table) {
    std::string texte = avec(c.texte, GetParam());
    EXPECT_EQ(lisnombre(texte), c.attendu) << texte;
  }
  EXPECT_TRUE(estnegatif(lisnombre("-0")));
}

TEST_P(separateurs, lisnombreechoue) {
  std::string milliers(5000, '9');
  const std::string table[] = {
      "",      " ",       "+",    "-",     "abc",     "0x10",    "\t1",      "1\t",   "- 5",
      "5-",    "1 E5",    "1E5000", "1E-5000", "E5",   ".E5x",    "1..2",     "1.2.3", "1E5.5",
      "--1",   "+-1",     "1e+-2", "1e5 x", "2E4932", milliers, "1." + milliers, "1" + milliers + "E-9",
  };
  for (const std::string& t : table) {
    std::string texte = avec(t, GetParam());
    erreur e = echec([&] { lisnombre(texte); });
    EXPECT_STREQ(e.classe, "EConvertError") << texte;
    EXPECT_EQ(e.message, "'" + texte + "' n'est pas une valeur en virgule flottante correcte");
  }
}

TEST(lisnombre, seulleseparateurlocal) {
  separateur = ',';
  EXPECT_EQ(lisnombre("0,5"), reel(0.5));
  EXPECT_STREQ(echec([] { lisnombre("0.5"); }).classe, "EConvertError");
  separateur = '.';
  EXPECT_STREQ(echec([] { lisnombre("0,5"); }).classe, "EConvertError");
}

TEST(lisnombre, textedumessage) {
  erreur e = echec([] { lisnombre("\xE9t\xE9 1"); });
  EXPECT_STREQ(e.classe, "EConvertError");
  EXPECT_EQ(e.message, "'\xE9t\xE9 1' n'est pas une valeur en virgule flottante correcte");
  EXPECT_NE(e.lieu, nullptr);
}

TEST(lisnombre, tresgrandsettrespetits) {
  EXPECT_EQ(endouble(lisnombre("1E-500")), 0.0);
  EXPECT_FALSE(estinfini(lisnombre("1E4931")));
  EXPECT_FALSE(estinfini(lisnombre("1" + std::string(4000, '0'))));
  EXPECT_EQ(lisnombre("0." + std::string(6000, '0') + "1"), entier(0));
  EXPECT_EQ(lisnombre(std::string(6000, '0')), entier(0));
}

// The error's place is the call in the caller, so that the report points at
// the program's own code and not into the conversions.
volatile double recu;
[[gnu::noinline]] void litici(const std::string& t) { recu = versdouble(lisnombre(t)); }
[[gnu::noinline]] void arrondiici(double x) { recu = arrondi(x); }

template <class F>
std::uintptr_t decalage(const erreur& e, F* appelant) {
  return reinterpret_cast<std::uintptr_t>(e.lieu) - reinterpret_cast<std::uintptr_t>(appelant);
}

TEST(erreur, lieu) {
  EXPECT_LT(decalage(echec([] { litici("x"); }), &litici), 64u);
  EXPECT_LT(decalage(echec([] { arrondiici(1e300); }), &arrondiici), 64u);
}

const char* const debordement = "D\xE9" "bordement en virgule flottante";
const char* const opincorrecte = "Op\xE9" "ration en virgule flottante incorrecte";

TEST(endouble, arrondietdebordement) {
  const etendu limite = composer((1ull << 54) - 1, 970);  // (2 - 2^-53) * 2^1023, halfway to 2^1024
  const etendu dessous = composer(~0ull - (1ull << 10), 960);  // the next below
  EXPECT_EQ(endouble(quotient(702, 100)), 7.02);
  EXPECT_EQ(endouble(lisnombre("1E308")), 1e308);
  EXPECT_EQ(endouble(dessous), DBL_MAX);
  EXPECT_EQ(endouble(-dessous), -DBL_MAX);
  EXPECT_EQ(endouble(reel(inf)), inf);
  EXPECT_TRUE(std::isnan(endouble(reel(nan))));
  for (etendu x : {limite, -limite, lisnombre("1E400"), lisnombre("-1E309"), lisnombre("1E4931")}) {
    erreur e = echec([&] { endouble(x); });
    EXPECT_STREQ(e.classe, "EOverflow");
    EXPECT_EQ(e.message, debordement);
    EXPECT_NE(e.lieu, nullptr);
  }
}

TEST(ensimple, arrondietdebordement) {
  const double limite = std::ldexp(2.0 - 0x1p-24, 127);  // halfway to 2^128
  EXPECT_EQ(ensimple(7.02), 7.02f);
  EXPECT_EQ(ensimple(std::nextafter(limite, 0.0)), FLT_MAX);
  EXPECT_EQ(ensimple(-3.4e38), -3.4e38f);
  EXPECT_EQ(ensimple(1e-50), 0.0f);
  EXPECT_EQ(ensimple(-inf), -std::numeric_limits<float>::infinity());
  for (double x : {limite, -limite, 1e39, DBL_MAX}) {
    erreur e = echec([&] { ensimple(x); });
    EXPECT_STREQ(e.classe, "EOverflow");
    EXPECT_EQ(e.message, debordement);
  }
}

TEST(arrondi, pairsetbits) {
  struct cas {
    double x;
    std::int32_t attendu;
  } table[] = {
      {0.5, 0},           {1.5, 2},          {2.5, 2},
      {3.5, 4},           {-0.5, 0},         {-1.5, -2},
      {-2.5, -2},         {0.49999999999999994, 0},
      {11.0, 11},         {-777.0, -777},    {4294967296.0, 0},
      {4294967297.0, 1},  {2147483648.0, INT32_MIN},
      {-2147483649.0, INT32_MAX},            {1e10, 1410065408},
      {0x1p63 - 1024, -1024},                {-0x1p63, 0},
  };
  for (const cas& c : table) EXPECT_EQ(arrondi(c.x), c.attendu) << c.x;
}

TEST(arrondi, horsdes64bits) {
  for (double x : {0x1p63, std::nextafter(-0x1p63, -inf), 1e300, -1e19, inf, -inf, nan}) {
    erreur e = echec([&] { arrondi(x); });
    EXPECT_STREQ(e.classe, "EInvalidOp") << x;
    EXPECT_EQ(e.message, opincorrecte);
    EXPECT_NE(e.lieu, nullptr);
  }
}

TEST(arrondietendu, bornesetproduit) {
  const etendu deuxpuissance63 = composer(1ull << 63, 0);
  EXPECT_EQ(arrondietendu(reel(7.02) * entier(100)), 702);
  EXPECT_EQ(arrondietendu(reel(-777.0) * entier(100)), -77700);
  EXPECT_EQ(arrondietendu(deuxpuissance63 - entier(1)), -1);
  EXPECT_EQ(arrondietendu(-deuxpuissance63 - reel(0.5)), 0);  // the sum rounds to -2^63, which fits
  for (etendu x : {deuxpuissance63 - reel(0.5), -deuxpuissance63 - entier(1)})
    EXPECT_STREQ(echec([&] { arrondietendu(x); }).classe, "EInvalidOp");
}

// The separator as a locale defines it, compiled into a private directory so
// that the machine's own locales play no part. Skipped without localedef.
class locales : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dossier = testing::TempDir() + "lph330t-locales";
    std::filesystem::create_directories(dossier);
    for (const char* nom : {"fr_FR", "fa_IR"}) {
      std::string commande = "localedef -i " + std::string(nom) + " -f UTF-8 " + dossier + "/" + nom + ".UTF-8 >/dev/null 2>&1";
      compiles = std::system(commande.c_str()) == 0 && compiles;
    }
  }
  void SetUp() override {
    if (!compiles) GTEST_SKIP() << "localedef could not build the test locales";
    setenv("LOCPATH", dossier.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("LOCPATH");
    unsetenv("LC_ALL");
    separateur = '.';
  }
  static char separateurde(const char* locale) {
    setenv("LC_ALL", locale, 1);
    separateur = '?';
    lisseparateur();
    return separateur;
  }
  static inline std::string dossier;
  static inline bool compiles = true;
};

TEST_F(locales, separateur) {
  EXPECT_EQ(separateurde("fr_FR.UTF-8"), ',');
  EXPECT_EQ(separateurde("C"), '.');
  EXPECT_EQ(separateurde("fa_IR.UTF-8"), '.');  // a two-byte symbol
  EXPECT_EQ(separateurde("xx_XX.inconnu"), '.');
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

}  // namespace
