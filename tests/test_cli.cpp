// The command front end as functions: the command line splitter, every row
// of the command table, the run's number handling and the error report.
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "simmetre.h"
#include "ucommw32/ucommw32.h"

using namespace std::string_literals;
using mots = std::vector<std::string>;

TEST(decoupeligne, regles) {
  struct {
    std::string ligne;
    mots attendu;
  } table[] = {
      {"lph330t ead 0", {"lph330t", "ead", "0"}},
      {"  lph330t\tead\x01" "0 \r\n", {"lph330t", "ead", "0"}},
      {"lph330t ea \"\" 1", {"lph330t", "ea", "1"}},
      {"lph330t ea \"\"   \"\"  1", {"lph330t", "ea", "1"}},
      {"lph330t ea \"\"1", {"lph330t", "ea", "1"}},
      {"lph330t ea x\"\" 1", {"lph330t", "ea", "x", "1"}},
      {"\"C:\\Program Files\\lph330t.exe\" ead 0", {"C:\\Program Files\\lph330t.exe", "ead", "0"}},
      {"p a\"b c\"d", {"p", "ab cd"}},
      {"p \"1 \"", {"p", "1 "}},
      {"p \"sans fin x", {"p", "sans fin x"}},
      {"p \\\"x y\\", {"p", "\\x y\\"}},
      {"p \xE9t\xE9 \xFF", {"p", "\xE9t\xE9", "\xFF"}},
      {"p \"\"", {"p"}},
      {"", {}},
      {"p a\0b"s, {"p", "a"}},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.ligne);
    EXPECT_EQ(decoupeligne(c.ligne), c.attendu);
  }
  // A word keeps its first 4096 characters; the rest of it is skipped.
  mots longs = decoupeligne("p " + std::string(5000, '7') + " 1");
  ASSERT_EQ(longs.size(), 3u);
  EXPECT_EQ(longs[1], std::string(4096, '7'));
  EXPECT_EQ(longs[2], "1");
}

namespace {

const std::string detailattendu =
    "pilote ex\xE9" "cutable pour pHm\xE8" "tre Tacussel LPH330T en Com4:, Orlavex, 26 nov 07";

struct ligne {
  const char* commande;
  double voie, valeur;
  const char* attendu;
};

std::string erreurde(const std::function<void()>& f) {
  try {
    f();
  } catch (const erreur& e) {
    return std::string(e.classe) + ": " + e.message;
  }
  return "no error";
}

}  // namespace

// Rows that answer without the instrument, with their argument conversions
// and print forms.
TEST(repondre, sansinstrument) {
  separateur = '.';
  const ligne table[] = {
      {"ea", 11, 22, "-777"},
      {"ea", 5, 0, "-777"},
      {"ea", 1.5, 0, "-777"},  // channel 2
      {"nea", 0, 0, "pH*100"},
      {"nea", 0.5, 0, "pH*100"},
      {"nea", 1, 0, "mV"},
      {"nea", 2.5, 0, ""},
      {"nea", 4294967296.0, 0, "pH*100"},  // the low 32 bits are channel 0
      {"nea", 4294967297.0, 0, "mV"},
      {"nead", 0, 0, "pH"},
      {"nead", -0.5, 0, "pH"},
      {"nead", 1.5, 0, ""},
      {"sa", 0, 5, "-777"},
      {"nsa", 0, 0, ""},
      {"rsa", 0, 0, "-777"},
      {"sad", 0, 1e300, "-777"},
      {"nsad", 0, 0, ""},
      {"rsad", 0, 0, "-777"},
      {"eb", 0, 0, "-777"},
      {"neb", 0, 0, ""},
      {"sb", 0, 1, "-777"},
      {"nsb", 0, 0, ""},
      {"rsb", 0, 0, "-777"},
      {"titre", 1e300, 1e300, "LPH330T en Com4:"},
      {"detail", -1e300, 0, detailattendu.c_str()},
      {"stdea", 3, 0, "-777"},
      {"stdnea", 0, 0, "pH*100"},
      {"stdnead", 1, 0, "mV"},
      {"stdsa", 0, 0, "-777"},
      {"stdnsa", 0, 0, ""},
      {"stdrsa", 0, 0, "-777"},
      {"stdsad", 0, 0, "-777"},
      {"stdsas", 0, 3e38, "-777"},
      {"stdnsad", 0, 0, ""},
      {"stdrsad", 0, 0, "-777"},
      {"stdrsas", 0, 0, "-777"},
      {"stdeb", 0, 0, "-777"},
      {"stdneb", 0, 0, ""},
      {"stdsb", 0, 0, "-777"},
      {"stdnsb", 0, 0, ""},
      {"stdrsb", 0, 0, "-777"},
      {"stdtitre", 1e300, 0, "LPH330T en Com4:"},
      {"stddetail", 0, 0, detailattendu.c_str()},
  };
  for (const ligne& l : table) {
    SCOPED_TRACE(std::string(l.commande) + " " + std::to_string(l.voie));
    std::optional<std::string> r = repondre(l.commande, l.voie, l.valeur);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, l.attendu);
  }
  for (const char* inconnu : {"", "EA", "Titre", "ea ", " ea", "stdtitre2", "lph330t", "ead\n"})
    EXPECT_FALSE(repondre(inconnu, 0, 0).has_value()) << inconnu;
}

// The rows that read the meter, through the simulated meter.
TEST(repondre, lectures) {
  separateur = '.';
  const ligne table[] = {
      {"ead", 0, 0, "7.01999999999999957"},
      {"ead", 0.5, 0, "7.01999999999999957"},
      {"ea", 0, 0, "702"},
      {"stdea", 0, 0, "702"},
      {"stdead", 0, 0, "7.01999999999999957"},
      {"stdeas", 0, 0, "7.01999998092651367"},
  };
  for (const ligne& l : table) {
    simmetre meter({"--reponse", "pH  7.02"});
    portcom = meter.chemin;
    EXPECT_EQ(repondre(l.commande, l.voie, l.valeur).value_or("none"), l.attendu) << l.commande;
  }
  separateur = ',';
  {
    simmetre meter({"--reponse", "mV  -123"});
    portcom = meter.chemin;
    EXPECT_EQ(repondre("ead", 1, 0).value_or("none"), "-123");
    EXPECT_EQ(repondre("ea", 1, 0).value_or("none"), "-123");
  }
  {
    simmetre meter({"--reponse", "pH 10.04"});
    portcom = meter.chemin;
    EXPECT_EQ(repondre("ead", 0, 0).value_or("none"), "10,0399999999999992");
  }
  separateur = '.';
}

// Conversion failures, before the port is touched.
TEST(repondre, conversions) {
  const std::string invalide = "EInvalidOp: Op\xE9ration en virgule flottante incorrecte";
  const std::string debordement = "EOverflow: D\xE9" "bordement en virgule flottante";
  EXPECT_EQ(erreurde([] { repondre("ea", 1e19, 0); }), invalide);
  EXPECT_EQ(erreurde([] { repondre("nsb", -1e19, 0); }), invalide);
  EXPECT_EQ(erreurde([] { repondre("sa", 0, 1e19); }), invalide);
  EXPECT_EQ(erreurde([] { repondre("stdsb", 0, -1e300); }), invalide);
  EXPECT_EQ(erreurde([] { repondre("stdsas", 0, 1e39); }), debordement);
  EXPECT_EQ(erreurde([] { repondre("stdsas", 1e19, 1e39); }), debordement);  // narrowed first
  EXPECT_EQ(erreurde([] { repondre("stdsas", 1e19, 1); }), invalide);
  EXPECT_EQ(erreurde([] { repondre("sad", 0, 1e300); }), "no error");
  EXPECT_EQ(erreurde([] { repondre("titre", 1e19, 1e19); }), "no error");
  EXPECT_EQ(erreurde([] { repondre("nope", 1e19, 1e19); }), "no error");
}

// A whole run's words, for commands that do not open the port.
TEST(executer, nombresetdefauts) {
  separateur = '.';
  const std::string convertir = "EConvertError: '";
  const std::string fin = "' n'est pas une valeur en virgule flottante correcte";
  struct {
    mots m;
    std::string attendu;
  } table[] = {
      {{"ea"}, "-777"},
      {{"nea", "0"}, "pH*100"},
      {{"nea", " 1 "}, "mV"},
      {{"nea", "1", "x", "ignored"}, convertir + "x" + fin},
      {{"titre", "abc"}, convertir + "abc" + fin},
      {{"nope", "abc"}, convertir + "abc" + fin},
      {{"nope", "1", "0,5"}, convertir + "0,5" + fin},
      {{"nope", "abc", "1e400"}, convertir + "abc" + fin},  // the second first
      {{"nope", "1e400", "abc"}, "EOverflow: D\xE9" "bordement en virgule flottante"},
      {{"titre", "1e308", "-1e308"}, "LPH330T en Com4:"},
      {{"titre", "1", "1e309"}, "EOverflow: D\xE9" "bordement en virgule flottante"},
      {{"sa", "0", "5"}, "-777"},
      {{"EA", "0"}, "none"},
      {{}, "none"},
      {{std::string(300, 'x')}, "none"},
      {{"titre" + std::string(300, ' ')}, "none"},
  };
  for (const auto& c : table) {
    std::string obtenu;
    std::string e = erreurde([&] { obtenu = executer(c.m).value_or("none"); });
    EXPECT_EQ(e == "no error" ? obtenu : e, c.attendu) << (c.m.empty() ? "" : c.m[0]);
  }
  EXPECT_EQ(portcom, "com4:");
}

TEST(rapport, forme) {
  const std::uintptr_t base = 0x400000;
  auto lieu = reinterpret_cast<const void*>(base + 0x1A2B);
  EXPECT_EQ(rapport({"EConvertError", "'abc' n'est pas une valeur en virgule flottante correcte", lieu},
                    "lph330t", base),
            "Exception EConvertError dans le module lph330t \xE0 00001A2B.\n"
            "'abc' n'est pas une valeur en virgule flottante correcte.");
  EXPECT_EQ(rapport({"EOverflow", "D\xE9" "bordement.", lieu}, "lph330t.exe", base),
            "Exception EOverflow dans le module lph330t.exe \xE0 00001A2B.\nD\xE9" "bordement.");
  EXPECT_EQ(rapport({"EInvalidOp", "", lieu}, "x", base),
            "Exception EInvalidOp dans le module x \xE0 00001A2B.\n");
  std::string longue = rapport({"EConvertError", std::string(5000, 'a'), lieu}, "lph330t", base);
  EXPECT_EQ(longue.size(), 1023u);
  EXPECT_EQ(longue.back(), 'a');
}
