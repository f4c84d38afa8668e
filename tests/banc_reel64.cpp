// banc_reel64: nanoseconds per operation of the software real and of the x87
// unit, over the same operands; a figure to print, not a test.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "driver/reel64.h"
#include "tests/materiel.h"

using logiciel::reel64;

namespace {

template <class T, class F>
double ns(const std::vector<T>& a, F f) {
  const int tours = 20;
  std::vector<T> r(a.size());  // stored, so that no result can be dropped
  auto debut = std::chrono::steady_clock::now();
  for (int t = 0; t < tours; ++t)
    for (std::size_t i = 0; i + 1 < a.size(); ++i) r[i] = f(a[i], a[i + 1]);
  std::chrono::duration<double, std::nano> d = std::chrono::steady_clock::now() - debut;
  std::fprintf(stderr, "%s", std::memcmp(&r[0], &r[1], 1) == 2 ? "?" : "");
  return d.count() / (tours * (a.size() - 1));
}

}  // namespace

int main() {
  std::mt19937_64 hasard(1);
  std::vector<reel64> l;
  std::vector<long double> m;
  for (int i = 0; i < 100000; ++i) {
    reel64 x{static_cast<bool>(hasard() & 1), static_cast<std::uint16_t>(16383 + hasard() % 200 - 100), hasard() | 1ull << 63};
    l.push_back(x);
    m.push_back(versmateriel(x));
  }
  std::printf("%-12s %10s %10s\n", "operation", "x87 ns", "software ns");
  auto ligne = [&](const char* nom, auto fm, auto fl) { std::printf("%-12s %10.2f %10.2f\n", nom, ns(m, fm), ns(l, fl)); };
  ligne("a + b", [](long double a, long double b) { return a + b; }, [](reel64 a, reel64 b) { return a + b; });
  ligne("a * b", [](long double a, long double b) { return a * b; }, [](reel64 a, reel64 b) { return a * b; });
  ligne("a / b", [](long double a, long double b) { return a / b; }, [](reel64 a, reel64 b) { return a / b; });
  ligne("nearbyint", [](long double a, long double) { return std::nearbyint(a * 1e6L); },
        [](reel64 a, reel64) { return logiciel::entierproche(a * logiciel::depuisentier(1000000)); });
  ligne("to double", [](long double a, long double) { return static_cast<long double>(static_cast<double>(a)); },
        [](reel64 a, reel64) { return logiciel::depuisdouble(logiciel::versdouble(a)); });
}
