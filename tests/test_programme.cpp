// The real program as a process: its one line, its exit status, nothing on
// the error stream, and readings through its own com4:.
#include <fcntl.h>
#include <poll.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "simmetre.h"

namespace {

enum class sortie { tube, fichier, fermee, console };

struct resultat {
  std::string sortie, erreurs;
  int statut = -1;
  double ms = 0;
};

std::string tout(int fd) {
  std::string s;
  char tampon[4096];
  ssize_t n;
  while ((n = read(fd, tampon, sizeof tampon)) > 0) s.append(tampon, n);
  return s;
}

std::string fichiertemporaire() {
  char modele[] = "/tmp/lph330t-sortie-XXXXXX";
  close(mkstemp(modele));
  return modele;
}

// The terminal's own end, raw, so that the bytes arrive unchanged.
int terminalbrut(int maitre) {
  int fd = open(ptsname(maitre), O_RDWR | O_NOCTTY);
  termios t;
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  tcsetattr(fd, TCSANOW, &t);
  return fd;
}

// Runs argv with standard output as `mode` says and the error stream in a
// pipe; `env` adds NAME=VALUE entries to the environment.
resultat lance(std::vector<std::string> argv, sortie mode = sortie::tube,
               std::vector<std::string> env = {}) {
  int sout[2], serr[2];
  pipe(sout);
  pipe(serr);
  std::string fichier = fichiertemporaire();
  int maitre = -1;
  if (mode == sortie::console) {
    maitre = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(maitre);
    unlockpt(maitre);
  }
  resultat r;
  r.ms = chrono_ms([&] {
    pid_t pid = fork();
    if (pid == 0) {
      if (mode == sortie::tube) dup2(sout[1], 1);
      if (mode == sortie::fichier) dup2(open(fichier.c_str(), O_WRONLY | O_TRUNC), 1);
      if (mode == sortie::fermee) close(1);
      if (mode == sortie::console) dup2(terminalbrut(maitre), 1);
      dup2(serr[1], 2);
      for (auto& e : env) putenv(e.data());
      std::vector<char*> a;
      for (auto& s : argv) a.push_back(s.data());
      a.push_back(nullptr);
      execv(a[0], a.data());
      _exit(127);
    }
    close(sout[1]);
    close(serr[1]);
    if (mode == sortie::console) {
      // Reads the terminal until the program has ended and nothing is left.
      for (;;) {
        pollfd p{maitre, POLLIN, 0};
        if (poll(&p, 1, 200) > 0 && (p.revents & POLLIN)) {
          char t[256];
          ssize_t n = read(maitre, t, sizeof t);
          if (n > 0) r.sortie.append(t, n);
          continue;
        }
        if (waitpid(pid, &r.statut, WNOHANG) == pid) break;
      }
    } else {
      r.sortie = tout(sout[0]);
      waitpid(pid, &r.statut, 0);
    }
    r.erreurs = tout(serr[0]);
  });
  close(sout[0]);
  close(serr[0]);
  if (maitre >= 0) close(maitre);
  if (mode == sortie::fichier) {
    std::ifstream f(fichier, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    r.sortie = s.str();
  }
  unlink(fichier.c_str());
  r.statut = WIFEXITED(r.statut) ? WEXITSTATUS(r.statut) : -1;
  return r;
}

resultat lph330t(std::vector<std::string> arguments, sortie mode = sortie::tube) {
  arguments.insert(arguments.begin(), PROGRAMME);
  return lance(arguments, mode);
}

// The program with a /dev/com4 of its own pointing at `peripherique`.
resultat lph330tsurcom4(const std::string& peripherique, std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {AVEC_COM4, peripherique, PROGRAMME});
  return lance(arguments);
}

const std::string detailattendu =
    "pilote ex\xE9" "cutable pour pHm\xE8" "tre Tacussel LPH330T en Com4:, Orlavex, 26 nov 07\r\n";

}  // namespace

TEST(programme, reponsesconstantes) {
  struct {
    std::vector<std::string> arguments;
    std::string attendu;
  } table[] = {
      {{"titre"}, "LPH330T en Com4:\r\n"},
      {{"titre", "1", "2"}, "LPH330T en Com4:\r\n"},
      {{"detail"}, detailattendu},
      {{"stddetail"}, detailattendu},
      {{"nead", "0"}, "pH\r\n"},
      {{"nea", "0"}, "pH*100\r\n"},
      {{"nead", "2"}, "\r\n"},
      {{"ea"}, "-777\r\n"},  // channel 11
      {{"ea", "1.5"}, "-777\r\n"},
      {{"sa", "0", "5"}, "-777\r\n"},
      {{"sad", "0", "5"}, "-777\r\n"},
      {{"stdrsas"}, "-777\r\n"},
      {{"nea", "4294967297"}, "mV\r\n"},
  };
  for (const auto& c : table) {
    resultat r = lph330t(c.arguments);
    EXPECT_EQ(r.sortie, c.attendu) << c.arguments[0];
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.erreurs, "");
    EXPECT_LT(r.ms, 800) << c.arguments[0];
  }
}

// Words that are not commands, in whatever case: no output at all.
TEST(programme, sansreponse) {
  for (std::vector<std::string> arguments :
       {std::vector<std::string>{}, {"EA", "0"}, {"Titre"}, {"inconnu", "1", "2"}, {""}}) {
    resultat r = lph330t(arguments);
    EXPECT_EQ(r.sortie, "");
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.erreurs, "");
  }
  // Standard output is not even used: a closed one does no harm.
  resultat r = lph330t({"inconnu"}, sortie::fermee);
  EXPECT_EQ(r.statut, 0);
  EXPECT_EQ(r.erreurs, "");
}

// Failures: the report is the only output, on standard output, status 1.
TEST(programme, rapports) {
  const std::string convertir = " n'est pas une valeur en virgule flottante correcte.";
  const std::string debordement = "D\xE9" "bordement en virgule flottante.";
  const std::string invalide = "Op\xE9ration en virgule flottante incorrecte.";
  struct {
    std::vector<std::string> arguments;
    std::string classe, message;
  } table[] = {
      {{"titre", "abc"}, "EConvertError", "'abc'" + convertir},
      {{"inconnu", "1", "0x10"}, "EConvertError", "'0x10'" + convertir},
      {{"ea", ""}, "EConvertError", "''" + convertir},
      {{"ea", "1 E5"}, "EConvertError", "'1 E5'" + convertir},
      {{"ea", "1e400"}, "EOverflow", debordement},
      {{"titre", "0", "-1e309"}, "EOverflow", debordement},
      {{"stdsas", "0", "1e39"}, "EOverflow", debordement},
      {{"ea", "1e19"}, "EInvalidOp", invalide},
      {{"sb", "0", "-1e19"}, "EInvalidOp", invalide},
  };
  for (const auto& c : table) {
    resultat r = lph330t(c.arguments);
    std::regex forme("Exception " + c.classe +
                     " dans le module lph330t \xE0 [0-9A-F]{8}\\.\n" + c.message + "\r\n");
    EXPECT_TRUE(std::regex_match(r.sortie, forme)) << r.sortie;
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs, "");
  }
  // A long argument: the report is cut after 1023 characters.
  resultat r = lph330t({"titre", std::string(2000, 'z')});
  EXPECT_EQ(r.sortie.size(), 1025u);
  EXPECT_EQ(r.sortie.substr(1021), "zz\r\n");
  EXPECT_EQ(r.statut, 1);
}

// The same bytes to a pipe, a file and a console.
TEST(programme, sorties) {
  for (sortie mode : {sortie::tube, sortie::fichier, sortie::console}) {
    resultat r = lph330t({"detail"}, mode);
    EXPECT_EQ(r.sortie, detailattendu);
    EXPECT_EQ(r.statut, 0);
    r = lph330t({"titre", "x"}, mode);
    EXPECT_EQ(r.sortie.substr(0, 24), "Exception EConvertError ");
    EXPECT_EQ(r.statut, 1);
  }
  // A reader that went away: the exit status stays 0.
  resultat r = lance({"/bin/sh", "-c", std::string(PROGRAMME) + " detail | true"});
  EXPECT_EQ(r.statut, 0);
}

// Readings through com4:, with the simulated meter behind a private /dev/com4.
TEST(programme, lecturessurcom4) {
  simmetre meter({"--reponse", "pH  7.02"});
  struct {
    std::vector<std::string> arguments;
    std::string attendu;
  } table[] = {
      {{"ead", "0"}, "7.01999999999999957\r\n"},
      {{"ea", "0"}, "702\r\n"},
      {{"stdeas", "0"}, "7.01999998092651367\r\n"},
      {{"ead", "0.4"}, "7.01999999999999957\r\n"},
  };
  for (const auto& c : table) {
    resultat r = lph330tsurcom4(meter.chemin, c.arguments);
    EXPECT_EQ(r.sortie, c.attendu) << c.arguments[0] << " " << r.erreurs;
    EXPECT_EQ(r.statut, 0);
    EXPECT_LT(r.ms, 1000);  // a reply, not the time limit
  }
  EXPECT_NE(meter.recu().find("3F 52 44 0D"), std::string::npos);
}

// Without a device on com4: -777 after about the time limit.
TEST(programme, sansperipherique) {
  for (auto [arguments, attendu] : {std::pair<std::vector<std::string>, std::string>{{"ead", "0"}, "-777\r\n"},
                                    {{"ea", "0"}, "-77700\r\n"},
                                    {{"ead"}, "-777\r\n"}}) {
    resultat r = lph330tsurcom4("/nonexistent", arguments);
    EXPECT_EQ(r.sortie, attendu);
    EXPECT_EQ(r.statut, 0);
    EXPECT_GE(r.ms, 1000);
    EXPECT_LT(r.ms, 1600);
  }
}
