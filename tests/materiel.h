// The software real and the x87 unit's 80-bit format, bit for bit: the same
// sign, exponent and significand fields. For the tests and the benchmark
// that compare the two, where long double is that format.
#pragma once

#include <cstdint>
#include <cstring>

#include "driver/reel64.h"

inline logiciel::reel64 depuismateriel(long double x) {
  unsigned char o[16] = {};
  std::memcpy(o, &x, 10);
  logiciel::reel64 r;
  std::memcpy(&r.mantisse, o, 8);
  std::uint16_t se;
  std::memcpy(&se, o + 8, 2);
  r.negatif = se >> 15;
  r.exposant = se & 0x7FFF;
  return r;
}

inline long double versmateriel(logiciel::reel64 x) {
  unsigned char o[16] = {};
  std::memcpy(o, &x.mantisse, 8);
  auto se = static_cast<std::uint16_t>(x.exposant | (x.negatif ? 0x8000 : 0));
  std::memcpy(o + 8, &se, 2);
  long double r;
  std::memcpy(&r, o, sizeof r);
  return r;
}
