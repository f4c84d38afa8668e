// lph330t-banc - how fast the driver is, as medians over repeated runs:
//   1. from a carriage return's arrival to lignecom returning;
//   2. the processor time of a whole 1000 ms time-out;
//   3. the wall time of `lph330t titre` against /bin/true;
//   4. the wall time of `lph330t ead 0` against a Python script doing the
//      same reading with termios.
// Usage: lph330t-banc AVEC_COM4 METER PROGRAM SCRIPT, METER being the
// simulated meter's device (bench/banc.sh starts it). Parts 1 and 2 run on
// a pseudo-terminal of their own; parts 3 and 4 run in a second process of
// this program under AVEC_COM4, where /dev/com4 is METER for the program and
// the script alike. Figures only: nothing here passes or fails on time.
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/mesure.h"
#include "ucommw32/ucommw32.h"

namespace {

const char* const reglagesmetre = "baud=9600 parity=n data=8 stop=1 ";

using horloge = std::chrono::steady_clock;

double ms(horloge::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// A pseudo-terminal of our own: we write the meter's side, the unit reads the
// other.
struct terminal {
  int maitre = -1;
  std::string chemin;
};

terminal ouvreterminal() {
  terminal t;
  t.maitre = posix_openpt(O_RDWR | O_NOCTTY);
  if (t.maitre < 0 || grantpt(t.maitre) != 0 || unlockpt(t.maitre) != 0) {
    std::perror("posix_openpt");
    std::exit(1);
  }
  t.chemin = ptsname(t.maitre);
  return t;
}

void ouvre(const terminal& t) {
  portcom = t.chemin;
  parametrescom = reglagesmetre;
  delaicom = 1000;
  ouvrecom();
}

// 1. The reply comes in two writes: the text, then 5 ms later the carriage
// return alone; the clock starts just before that second write.
double delaiapreslecr() {
  terminal t = ouvreterminal();
  ouvre(t);
  horloge::time_point cr;
  std::thread meter([&] {
    (void)!write(t.maitre, "pH  7.02", 8);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    cr = horloge::now();
    (void)!write(t.maitre, "\r", 1);
  });
  std::string ligne = lignecom();
  horloge::time_point retour = horloge::now();
  meter.join();
  fermecom();
  close(t.maitre);
  if (ligne != "pH  7.02") std::fprintf(stderr, "unexpected line '%s'\n", ligne.c_str());
  return ms(retour - cr);
}

// 2. Nothing ever comes.
double cpududelai() {
  terminal t = ouvreterminal();
  ouvre(t);
  double debut = cpu_ms();
  std::string ligne = lignecom();
  double cpu = cpu_ms() - debut;
  fermecom();
  close(t.maitre);
  return cpu;
}

// Runs argv with its output in `sortie` (its first 256 bytes); the wall time
// from start to end.
double chronometre(const std::vector<std::string>& arguments, std::string& sortie) {
  int tube[2];
  if (pipe(tube) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, tube[1], 1);
  posix_spawn_file_actions_addclose(&actions, tube[0]);
  std::vector<std::string> a = arguments;
  std::vector<char*> argv;
  for (auto& s : a) argv.push_back(s.data());
  argv.push_back(nullptr);
  horloge::time_point debut = horloge::now();
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::perror(argv[0]);
    std::exit(1);
  }
  close(tube[1]);
  char tampon[256];
  ssize_t n;
  sortie.clear();
  while ((n = read(tube[0], tampon, sizeof tampon)) > 0) sortie.append(tampon, n);
  waitpid(pid, nullptr, 0);
  double duree = ms(horloge::now() - debut);
  close(tube[0]);
  posix_spawn_file_actions_destroy(&actions);
  return duree;
}

// Both commands in turn, `fois` times each, so that both see the same
// machine; the medians of their wall times. Each output must be as expected.
struct paire {
  double a, b;
};

paire compare(const std::vector<std::string>& a, const std::string& sortie_a,
              const std::vector<std::string>& b, const std::string& sortie_b, int fois) {
  std::vector<double> ta, tb;
  std::string sortie;
  for (int i = 0; i < fois; ++i) {
    ta.push_back(chronometre(a, sortie));
    if (sortie != sortie_a) std::fprintf(stderr, "%s: unexpected '%s'\n", a[0].c_str(), sortie.c_str());
    tb.push_back(chronometre(b, sortie));
    if (sortie != sortie_b) std::fprintf(stderr, "%s: unexpected '%s'\n", b[0].c_str(), sortie.c_str());
  }
  return {mediane(ta), mediane(tb)};
}

template <class F>
double repete(F f, int fois) {
  std::vector<double> v;
  for (int i = 0; i < fois; ++i) v.push_back(f());
  return mediane(v);
}

const char* verdict(bool tenu) { return tenu ? "met" : "MISSED"; }

const int foisdelai = 5, foiscr = 101, foistitre = 301, foisead = 51;

// Parts 3 and 4, where /dev/com4 is the meter: the four medians on one line.
int programmes(const std::string& programme, const std::string& script) {
  paire titre = compare({programme, "titre"}, "LPH330T en Com4:\r\n", {"/bin/true"}, "", foistitre);
  // The system's Python: a version manager's shim in front of it would add
  // a start-up of its own that no script needs.
  paire ead = compare({programme, "ead", "0"}, "7.01999999999999957\r\n",
                      {"/usr/bin/python3", script}, "7.02\n", foisead);
  std::printf("%f %f %f %f\n", titre.a, titre.b, ead.a, ead.b);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--programmes") return programmes(argv[2], argv[3]);
  if (argc != 5) {
    std::fputs("usage: lph330t-banc AVEC_COM4 METER PROGRAM SCRIPT\n", stderr);
    return 2;
  }
  double cr = repete(delaiapreslecr, foiscr);
  double cpu = repete(cpududelai, foisdelai);
  std::string sortie;
  chronometre({argv[1], argv[2], argv[0], "--programmes", argv[3], argv[4]}, sortie);
  paire titre{}, ead{};
  if (std::sscanf(sortie.c_str(), "%lf %lf %lf %lf", &titre.a, &titre.b, &ead.a, &ead.b) != 4) {
    std::fprintf(stderr, "no figures for parts 3 and 4\n");
    return 1;
  }

  std::printf("%-46s %-26s %-9s %s\n", "measure (median)", "figure", "target", "");
  std::printf("%-46s %-26s %-9s %s\n", "1. CR arrival to lignecom returning",
              (std::to_string(cr).substr(0, 6) + " ms").c_str(), "<= 1 ms", verdict(cr <= 1));
  std::printf("%-46s %-26s %-9s %s\n", "2. CPU time of a 1000 ms time-out",
              (std::to_string(cpu).substr(0, 6) + " ms").c_str(), "<= 5 ms", verdict(cpu <= 5));
  char texte[64];
  std::snprintf(texte, sizeof texte, "%.2f / %.2f ms = %.2fx", titre.a, titre.b, titre.a / titre.b);
  std::printf("%-46s %-26s %-9s %s\n", "3. lph330t titre / /bin/true", texte, "<= 2x",
              verdict(titre.a <= 2 * titre.b));
  std::snprintf(texte, sizeof texte, "%.2f / %.2f ms = %.1fx", ead.b, ead.a, ead.b / ead.a);
  std::printf("%-46s %-26s %-9s %s\n", "4. Python termios script / lph330t ead 0", texte, ">= 10x",
              verdict(ead.b >= 10 * ead.a));
  std::printf("(runs: %d, %d, %d and %d of each)\n", foiscr, foisdelai, foistitre, foisead);
  return 0;
}
