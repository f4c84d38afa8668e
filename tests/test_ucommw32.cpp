// The serial line unit against the simulated meter on a real pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "simmetre.h"
#include "ucommw32/ucommw32.h"

namespace {

const char* const reglagesmetre = "baud=9600 parity=n data=8 stop=1 ";

// One exchange as the meter reading does it: the line returned, how long
// lignecom took and the processor time it used.
struct echange {
  std::string ligne;
  double ms = 0, cpu = 0;
};

echange questionne(const std::string& port) {
  portcom = port;
  parametrescom = reglagesmetre;
  delaicom = 1000;
  ouvrecom();
  envoicom("?RD\r");
  echange e;
  double c = cpu_ms();
  e.ms = chrono_ms([&] { e.ligne = lignecom(); });
  e.cpu = cpu_ms() - c;
  fermecom();
  return e;
}

}  // namespace

TEST(reglages, texte) {
  struct cas {
    const char* texte;
    bool valide;
    unsigned baud;
    char parite;
    int donnees, arret;
  } table[] = {
      {"baud=9600 parity=n data=8 stop=1 ", true, 9600, 'n', 8, 1},
      {"BAUD=1200 Parity=E DATA=7 STOP=2", true, 1200, 'e', 7, 2},
      {"  parity=o\tdata=5", true, 0, 'o', 5, 0},
      {"", true, 0, 0, 0, 0},
      {"baud=", false, 0, 0, 0, 0},
      {"baud=96x", false, 0, 0, 0, 0},
      {"baud=0", false, 0, 0, 0, 0},
      {"baud=99999999", false, 0, 0, 0, 0},
      {"parity=x", false, 0, 0, 0, 0},
      {"parity=no", false, 0, 0, 0, 0},
      {"data=9", false, 0, 0, 0, 0},
      {"data=4", false, 0, 0, 0, 0},
      {"stop=1.5", false, 0, 0, 0, 0},
      {"stop=3", false, 0, 0, 0, 0},
      {"speed=9600", false, 0, 0, 0, 0},
      {"baud 9600", false, 0, 0, 0, 0},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.texte);
    reglages r;
    ASSERT_EQ(lisreglages(c.texte, r), c.valide);
    if (!c.valide) continue;
    EXPECT_EQ(r.baud, c.baud);
    EXPECT_EQ(r.parite, c.parite);
    EXPECT_EQ(r.donnees, c.donnees);
    EXPECT_EQ(r.arret, c.arret);
  }
}

TEST(reglages, nomsdeport) {
  auto dev = std::filesystem::temp_directory_path() / ("dev-" + std::to_string(getpid()));
  std::filesystem::create_directories(dev);
  std::FILE* alias = std::fopen((dev / "com4").c_str(), "w");
  std::fclose(alias);
  std::string d = dev.string();
  EXPECT_EQ(cheminduport("com4:", d), d + "/com4");
  EXPECT_EQ(cheminduport("COM4", d), d + "/com4");
  EXPECT_EQ(cheminduport("Com1:", d), d + "/ttyS0");
  EXPECT_EQ(cheminduport("com12:", d), d + "/ttyS11");
  EXPECT_EQ(cheminduport("/dev/ttyUSB0", d), "/dev/ttyUSB0");
  EXPECT_EQ(cheminduport("com0:", d), "com0:");
  EXPECT_EQ(cheminduport("com:", d), "com:");
  EXPECT_EQ(cheminduport("comx:", d), "comx:");
  std::filesystem::remove_all(dev);
}

// Replies that end in a carriage return come back at once, without it and
// without what follows it.
TEST(lignecom, lignecomplete) {
  struct cas {
    std::vector<std::string> options;
    std::string attendu;
  } table[] = {
      {{"--reponse", "A"}, "A"},
      {{"--reponse", "7.00", "--apres", "\\n"}, "7.00"},
      {{"--reponse", "", "--apres", "pH 7.00\\r"}, ""},
      {{"--reponse", "a\\0\\xE9\\xFFb"}, std::string("a\0\xE9\xFF" "b", 5)},
      {{"--reponse", std::string(254, 'x')}, std::string(254, 'x')},
      {{"--reponse", "pH  7.02", "--pas", "1.04"}, "pH  7.02"},
      {{"--reponse", "pH  7.02", "--delai", "300"}, "pH  7.02"},
  };
  for (const cas& c : table) {
    simmetre meter(c.options);
    SCOPED_TRACE(meter.lignes());
    echange e = questionne(meter.chemin);
    EXPECT_EQ(e.ligne, c.attendu);
    EXPECT_LT(e.ms, 700);
  }
}

// Without a complete line within the time limit the answer is empty, after
// 1000 ms and well before 1500, and the wait barely uses the processor.
TEST(lignecom, delaiecoule) {
  const std::vector<std::string> table[] = {
      {"--silence"},
      {"--reponse", "ABC", "--sans-cr"},
      {"--flot", "300"},
      {"--reponse", std::string(255, 'x')},  // its carriage return is byte 256
      {"--flot", "10000", "--pas", "0.05"},
      {"--reponse", "pH  7.02", "--raccroche", "3"},
      {"--reponse", "pH  7.02", "--delai", "1300"},
  };
  for (const auto& options : table) {
    simmetre meter(options);
    SCOPED_TRACE(options[0] + " " + (options.size() > 1 ? options[1] : ""));
    echange e = questionne(meter.chemin);
    EXPECT_EQ(e.ligne, "");
    EXPECT_GE(e.ms, 1000);
    EXPECT_LT(e.ms, 1500);
    if (options[0] != "--flot") {
      EXPECT_LT(e.cpu, 100);
    }
  }
}

TEST(lignecom, sansperipherique) {
  echange e = questionne("/nonexistent/com4");
  EXPECT_EQ(e.ligne, "");
  EXPECT_GE(e.ms, 1000);
  EXPECT_LT(e.ms, 1500);
  EXPECT_LT(e.cpu, 100);
  EXPECT_EQ(attentecom(), 0);
}

TEST(ouvrecom, reglagesdelaligne) {
  simmetre meter;
  echange e = questionne(meter.chemin);
  EXPECT_EQ(e.ligne, "pH  7.02");
  EXPECT_NE(meter.lignes().find(
                "reglages baud=9600 parity=n data=8 stop=1 xonxoff=0 rtscts=0 brut=1"),
            std::string::npos)
      << meter.lignes();
}

// A port that another process holds cannot be opened: nothing reaches the
// meter and the exchange ends empty after the time limit.
TEST(ouvrecom, portoccupe) {
  simmetre meter;
  int tube[2];
  ASSERT_EQ(pipe(tube), 0);
  pid_t autre = fork();
  if (autre == 0) {
    portcom = meter.chemin;
    ouvrecom();
    char c = 1;
    write(tube[1], &c, 1);
    sleep(5);
    _exit(0);
  }
  char c;
  ASSERT_EQ(read(tube[0], &c, 1), 1);
  echange e = questionne(meter.chemin);
  kill(autre, SIGKILL);
  waitpid(autre, nullptr, 0);
  EXPECT_EQ(e.ligne, "");
  EXPECT_GE(e.ms, 1000);
  EXPECT_EQ(meter.recu(), "");
  // Once the other process is gone the port opens again.
  EXPECT_EQ(questionne(meter.chemin).ligne, "pH  7.02");
}

// Bytes left after a carriage return belong to no later exchange.
TEST(ouvrecom, resteeffacealouverture) {
  simmetre meter({"--reponse", "mV  123", "--apres", "\\nmV  999\\r"});
  EXPECT_EQ(questionne(meter.chemin).ligne, "mV  123");
  // The leftover is all in the queue before the next opening, even on a
  // loaded machine: what arrives later is a late reply, not a leftover.
  usleep(300000);
  EXPECT_EQ(questionne(meter.chemin).ligne, "mV  123");
}
