// octets: the number forms of this build, one input line at a time, for
// comparing the bytes that two architectures give (tests/memes-octets.sh).
//   xHHHHHHHHHHHHHHHH  a double by its bits: its printed form, and that of
//                      its single-precision rounding;
//   any other text     read as a command-line number: the printed form of
//                      the double it stores, and its rounding to an integer
//                      (or the error class of each).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "cli/cli.h"

namespace {

template <class F>
std::string essaie(F f) {
  try {
    return f();
  } catch (const erreur& e) {
    return e.classe;
  }
}

std::string ligne(const std::string& t) {
  if (t.size() == 17 && t[0] == 'x') {
    std::uint64_t b = std::stoull(t.substr(1), nullptr, 16);
    double d;
    std::memcpy(&d, &b, sizeof d);
    return reelentexte(d) + " " + essaie([&] { return reelentexte(ensimple(d)); });
  }
  return essaie([&] { return reelentexte(endouble(lisnombre(t))); }) + " " +
         essaie([&] { return entierentexte(arrondietendu(lisnombre(t))); });
}

}  // namespace

int main() {
  std::string t;
  while (std::getline(std::cin, t)) std::cout << ligne(t) << '\n';
}
