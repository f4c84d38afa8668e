// The meter reading: reply conversion, and whole dialogues with the
// simulated meter.
#include <gtest/gtest.h>

#include "driver/driver.h"
#include "simmetre.h"
#include "ucommw32/ucommw32.h"

using namespace std::string_literals;

// A reply, the channel asked for and the value it gives.
struct cas {
  std::string reponse;
  int voie;
  double attendu;
};

TEST(lireponse, valeurs) {
  const cas table[] = {
      {"pH  7.02", 0, 7.02},
      {"pH 10.50", 0, 10.5},
      {"pH 10.50 extra.", 0, 10.5},
      {"7.02", 0, -777},          // the point stands at position 2
      {"pH7.02", 0, -777},        // position 4
      {"pH 7.02", 0, 7.02},       // position 5
      {"pHx 7.0", 0, 7.0},        // position 5, one digit after it
      {"pH  7.", 0, 7.0},         // the window ends early
      {"pH  .", 0, 0.0},          // a lone point reads as 0
      {"pH -1.25", 0, -1.25},     // a leading minus is kept
      {"pH  -.50", 0, -0.5},      // window " -.50": blanks before it too
      {"pH 12.-5", 0, 12.5},      // a sign after a digit is dropped
      {"pH  7/02", 0, -777},      // no point at all
      {"pHxx7.0/", 0, -777},      // a slash in the window
      {"pH 7..02", 0, -777},      // two points in the window
      {"", 0, -777},
      {"mV  123", 1, 123.0},
      {"mV  -123", 1, -123.0},
      {"mV   -12", 1, -12.0},     // blanks before the sign
      {"mV  1-23", 1, 123.0},     // a sign after a digit is dropped
      {"mV  +123", 1, 123.0},
      {"mV  12.5", 1, 12.5},
      {"mV  12345", 1, 1234.0},   // characters 5 to 8 only
      {"mV  ", 1, -777},
      {"mV", 1, -777},
      {"mV  abc", 1, -777},
      {"mV  -", 1, -777},
      {"mV  \xE9\x00" "12"s, 1, 12.0},
      {"pH  7.02", 2, -777},
      {"mV  123", -1, -777},
      {"pH  7.02", 5, -777},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.reponse + " voie " + std::to_string(c.voie));
    EXPECT_EQ(lireponse(c.reponse, c.voie), c.attendu);
  }
}

TEST(lireponse, longuesreponses) {
  std::string longue(255, '9');
  longue[100] = '.';
  EXPECT_EQ(lireponse(longue, 0), 99.99);
  EXPECT_EQ(lireponse(std::string(255, '\xFF'), 0), -777);
  EXPECT_EQ(lireponse(std::string(255, '\0'), 1), -777);
}

namespace {

struct lecture {
  double valeur = 0, ms = 0;
};

lecture lis(const simmetre& meter, int voie) {
  portcom = meter.chemin;
  lecture l;
  l.ms = chrono_ms([&] { l.valeur = ead(voie); });
  return l;
}

}  // namespace

// A reading sends exactly "?RD" CR, reads the reply and leaves the meter's
// settings on the line.
TEST(ead, lecturesdumetre) {
  const cas table[] = {
      {"pH  7.02", 0, 7.02},
      {"pH 10.50", 0, 10.5},
      {"mV  123", 1, 123.0},
      {"mV  -123", 1, -123.0},
  };
  for (const cas& c : table) {
    simmetre meter({"--reponse", c.reponse});
    lecture l = lis(meter, c.voie);
    EXPECT_EQ(l.valeur, c.attendu) << c.reponse;
    EXPECT_LT(l.ms, 700);
    EXPECT_EQ(meter.recu(), "3F 52 44 0D");
    EXPECT_EQ(parametrescom, "baud=9600 parity=n data=8 stop=1 ");
  }
}

// Channels without a reading send nothing and still wait out the time limit.
TEST(ead, autresvoies) {
  for (int voie : {2, -1, 5}) {
    simmetre meter;
    lecture l = lis(meter, voie);
    EXPECT_EQ(l.valeur, -777.0);
    EXPECT_GE(l.ms, 1000);
    EXPECT_LT(l.ms, 1500);
    EXPECT_EQ(meter.recu(), "");
  }
}

// Whatever the line does, the answer is -777 within the time limit.
TEST(ead, mauvaisesreponses) {
  const std::vector<std::string> table[] = {
      {"--silence"},
      {"--reponse", "pH  7.02", "--sans-cr"},
      {"--flot", "10000"},
      {"--reponse", std::string(300, '7')},
      {"--reponse", "\\0\\0\\0\\0\\xFF\\xFE\\x80\\x90"},
      {"--reponse", "pH  7.02", "--raccroche", "4"},
  };
  for (const auto& options : table) {
    simmetre meter(options);
    lecture l = lis(meter, 0);
    EXPECT_EQ(l.valeur, -777.0) << options[0];
    EXPECT_LT(l.ms, 1500) << options[0];
  }
  portcom = "/nonexistent/com4";
  lecture l;
  l.ms = chrono_ms([&] { l.valeur = ead(0); });
  EXPECT_EQ(l.valeur, -777.0);
  EXPECT_GE(l.ms, 1000);
  EXPECT_LT(l.ms, 1500);
}
