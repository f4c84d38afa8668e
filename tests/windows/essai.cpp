// lph330t-essai - one reading of the meter through the Windows serial code,
// for the Wine tests (wine-com4.sh), which check what it prints.
//
//   lph330t-essai ead PORT VOIE   reads channel VOIE on PORT and prints
//                                 "VALEUR MS": the reading (%.15g) and the
//                                 time it took in milliseconds (processor
//                                 time is measured from outside: Wine counts
//                                 it in 10 ms steps)
//   lph330t-essai tiens PORT      opens PORT, prints "tenu", and keeps it
//                                 open until its standard input ends
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver/driver.h"
#include "ucommw32/ucommw32.h"

namespace {

double horloge_ms() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return 1e3 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

int lis(const char* port, const char* voie) {
  portcom = port;
  double debut = horloge_ms();
  double x = ead(std::atoi(voie));
  std::printf("%.15g %.0f\n", x, horloge_ms() - debut);
  return 0;
}

// Holds the port the way a reading does, so that another process finds it
// in use.
int tiens(const char* port) {
  portcom = port;
  ouvrecom();
  std::printf("tenu\n");
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  fermecom();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "ead") == 0) return lis(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "tiens") == 0) return tiens(argv[2]);
  std::fputs("usage: lph330t-essai ead PORT VOIE | tiens PORT\n", stderr);
  return 2;
}
