// What the fuzz targets share: a check that stops the run with the failing
// condition, so that libFuzzer keeps the input as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

#define verifie(condition)                                                  \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                         \
    }                                                                       \
  } while (0)
