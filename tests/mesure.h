// Time and processor measurements shared by the tests and the benchmark.
#pragma once

#include <sys/resource.h>

#include <chrono>

// Milliseconds elapsed while f runs.
template <class F>
double chrono_ms(F f) {
  auto debut = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut)
      .count();
}

// Processor time (user and system) this process has used, in milliseconds.
inline double cpu_ms() {
  rusage r;
  getrusage(RUSAGE_SELF, &r);
  return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e3 +
         (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e3;
}
