// The driver function set: constant answers without the instrument, and the
// readings through the simulated meter.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <climits>
#include <functional>

#include "driver/driver.h"
#include "simmetre.h"
#include "ucommw32/ucommw32.h"

namespace {

// Counts the openings of a device while the watch lives.
struct guet {
  int fd;
  explicit guet(const std::string& chemin) : fd(inotify_init1(IN_NONBLOCK)) {
    inotify_add_watch(fd, chemin.c_str(), IN_OPEN);
  }
  ~guet() { close(fd); }
  int ouvertures() const {
    alignas(inotify_event) char tampon[4096];
    int n = 0;
    ssize_t lus;
    while ((lus = read(fd, tampon, sizeof tampon)) > 0)
      n += static_cast<int>(lus / sizeof(inotify_event));
    return n;
  }
};

const char* const detailattendu =
    "pilote ex\xE9" "cutable pour pHm\xE8" "tre Tacussel LPH330T en Com4:, Orlavex, 26 nov 07";

struct cas {
  const char* nom;
  std::function<std::string(std::int32_t voie)> appel;
  std::string attendu[3];  // for channel 0, channel 1, any other
};

std::string n(double x) { return std::to_string(x); }
std::string t(const char* s) { return s ? std::string("\"") + s + "\"" : "null"; }
std::int16_t c16(std::int32_t v) { return static_cast<std::int16_t>(v); }

// Every function that answers without the instrument.
const cas sansinstrument[] = {
    {"nea", [](int v) { return t(nea(v)); }, {"\"pH*100\"", "\"mV\"", "\"\""}},
    {"nead", [](int v) { return t(nead(v)); }, {"\"pH\"", "\"mV\"", "\"\""}},
    {"sa", [](int v) { return n(sa(v, 5)); }, {n(-777), n(-777), n(-777)}},
    {"nsa", [](int v) { return t(nsa(c16(v))); }, {"\"\"", "\"\"", "\"\""}},
    {"rsa", [](int v) { return n(rsa(c16(v))); }, {n(-777), n(-777), n(-777)}},
    {"sad", [](int v) { return n(sad(v, 1.5)); }, {n(-777), n(-777), n(-777)}},
    {"nsad", [](int v) { return t(nsad(v)); }, {"\"\"", "\"\"", "\"\""}},
    {"rsad", [](int v) { return n(rsad(v)); }, {n(-777), n(-777), n(-777)}},
    {"eb", [](int v) { return n(eb(v)); }, {n(-777), n(-777), n(-777)}},
    {"neb", [](int v) { return t(neb(v)); }, {"\"\"", "\"\"", "\"\""}},
    {"sb", [](int v) { return n(sb(v, 1)); }, {n(-777), n(-777), n(-777)}},
    {"nsb", [](int v) { return t(nsb(v)); }, {"\"\"", "\"\"", "\"\""}},
    {"rsb", [](int v) { return n(rsb(v)); }, {n(-777), n(-777), n(-777)}},
    {"titre", [](int) { return t(titre()); }, {"\"LPH330T en Com4:\"", "\"LPH330T en Com4:\"", "\"LPH330T en Com4:\""}},
    {"detail", [](int) { return t(detail()); }, {t(detailattendu), t(detailattendu), t(detailattendu)}},
    {"stdnea", [](int v) { return t(stdnea(v)); }, {"\"pH*100\"", "\"mV\"", "\"\""}},
    {"stdnead", [](int v) { return t(stdnead(v)); }, {"\"pH\"", "\"mV\"", "\"\""}},
    {"stdsa", [](int v) { return n(stdsa(v, -3)); }, {n(-777), n(-777), n(-777)}},
    {"stdnsa", [](int v) { return t(stdnsa(c16(v))); }, {"\"\"", "\"\"", "\"\""}},
    {"stdrsa", [](int v) { return n(stdrsa(c16(v))); }, {n(-777), n(-777), n(-777)}},
    {"stdsad", [](int v) { return n(stdsad(v, 1e300)); }, {n(-777), n(-777), n(-777)}},
    {"stdsas", [](int v) { return n(stdsas(v, 2.5f)); }, {n(-777), n(-777), n(-777)}},
    {"stdnsad", [](int v) { return t(stdnsad(v)); }, {"\"\"", "\"\"", "\"\""}},
    {"stdrsad", [](int v) { return n(stdrsad(v)); }, {n(-777), n(-777), n(-777)}},
    {"stdrsas", [](int v) { return n(stdrsas(v)); }, {n(-777), n(-777), n(-777)}},
    {"stdeb", [](int v) { return n(stdeb(v)); }, {n(-777), n(-777), n(-777)}},
    {"stdneb", [](int v) { return t(stdneb(v)); }, {"\"\"", "\"\"", "\"\""}},
    {"stdsb", [](int v) { return n(stdsb(v, 0)); }, {n(-777), n(-777), n(-777)}},
    {"stdnsb", [](int v) { return t(stdnsb(v)); }, {"\"\"", "\"\"", "\"\""}},
    {"stdrsb", [](int v) { return n(stdrsb(v)); }, {n(-777), n(-777), n(-777)}},
    {"stdtitre", [](int) { return t(stdtitre()); }, {"\"LPH330T en Com4:\"", "\"LPH330T en Com4:\"", "\"LPH330T en Com4:\""}},
    {"stddetail", [](int) { return t(stddetail()); }, {t(detailattendu), t(detailattendu), t(detailattendu)}},
};

}  // namespace

// The answers are exact, whatever the channel, and the port is never opened.
TEST(fonctions, sansinstrument) {
  simmetre meter;
  portcom = meter.chemin;
  guet g(meter.chemin);
  for (const cas& c : sansinstrument)
    for (std::int32_t voie : {0, 1, 2, -1, 5, 65536, INT_MIN, INT_MAX}) {
      SCOPED_TRACE(std::string(c.nom) + " " + std::to_string(voie));
      parametrescom = "inchange";
      EXPECT_EQ(c.appel(voie), c.attendu[voie == 0 ? 0 : voie == 1 ? 1 : 2]);
      EXPECT_EQ(parametrescom, "inchange");
    }
  EXPECT_EQ(g.ouvertures(), 0);
}

namespace {

struct mesure {
  double ms;
  int ouvertures;
};

// Runs f against a simulated meter that gives `reponse` (or other options).
mesure contre(const std::vector<std::string>& options, const std::function<void()>& f) {
  simmetre meter(options);
  portcom = meter.chemin;
  guet g(meter.chemin);
  double ms = chrono_ms(f);
  return {ms, g.ouvertures()};
}

}  // namespace

TEST(fonctions, lectures) {
  struct {
    const char* reponse;
    std::int32_t voie;
    std::int32_t entier;
  } table[] = {
      {"pH  7.02", 0, 702},
      {"pH 10.50", 0, 1050},
      {"pH  0.07", 0, 7},
      {"pH -1.25", 0, -125},
      {"mV  12.5", 1, 12},  // halves go to the even neighbour
      {"mV  13.5", 1, 14},
      {"mV  -2.5", 1, -2},
      {"mV  -123", 1, -123},
  };
  for (const auto& c : table) {
    std::int32_t obtenu = 0;
    contre({"--reponse", c.reponse}, [&] { obtenu = ea(c.voie); });
    EXPECT_EQ(obtenu, c.entier) << c.reponse;
    contre({"--reponse", c.reponse}, [&] { obtenu = stdea(c.voie); });
    EXPECT_EQ(obtenu, c.entier) << c.reponse;
  }
  float simple = 0;
  double reel = 0;
  contre({"--reponse", "pH  7.02"}, [&] { simple = stdeas(0); });
  EXPECT_EQ(simple, 7.02f);
  contre({"--reponse", "mV  -123"}, [&] { reel = stdead(1); });
  EXPECT_EQ(reel, -123.0);
}

TEST(fonctions, sansreponse) {
  std::int32_t ph = 0, mv = 0;
  float simple = 0;
  mesure m = contre({"--silence"}, [&] { ph = ea(0); });
  EXPECT_EQ(ph, -77700);
  EXPECT_GE(m.ms, 1000);
  contre({"--silence"}, [&] { mv = stdea(1); });
  EXPECT_EQ(mv, -777);
  contre({"--silence"}, [&] { simple = stdeas(0); });
  EXPECT_EQ(simple, -777.0f);
}

// ea answers at once for a channel without a reading, while ead opens the
// port and waits out the time limit.
TEST(fonctions, voiesinexistantes) {
  for (std::int32_t voie : {5, -1}) {
    std::int32_t entier = 0;
    double reel = 0;
    mesure m = contre({}, [&] { entier = ea(voie); });
    EXPECT_EQ(entier, -777);
    EXPECT_LT(m.ms, 100);
    EXPECT_EQ(m.ouvertures, 0);
    m = contre({}, [&] { reel = ead(voie); });
    EXPECT_EQ(reel, -777.0);
    EXPECT_GE(m.ms, 1000);
    EXPECT_LT(m.ms, 1500);
    EXPECT_EQ(m.ouvertures, 1);
  }
}
