// The Windows command line. Every word is at most 4096 characters and holds
// neither a quote nor a zero byte; a line without quotes splits at codes 1 to
// 32; and the words, each quoted and joined by spaces, split back into the
// same words, which is how a caller hands over arguments with blanks.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "verifie.h"

namespace {

const std::size_t longueurmot = 4096;

bool separe(char c) { return c >= 1 && c <= 32; }

// The words of a line without quotes, as the splitter must find them.
std::vector<std::string> mots(std::string_view ligne) {
  std::vector<std::string> m;
  std::string mot;
  bool dansmot = false;
  for (char c : ligne.substr(0, ligne.find('\0'))) {
    if (separe(c)) {
      if (dansmot) m.push_back(mot);
      mot.clear();
      dansmot = false;
    } else {
      if (mot.size() < longueurmot) mot += c;
      dansmot = true;
    }
  }
  if (dansmot) m.push_back(mot);
  return m;
}

std::string citee(const std::vector<std::string>& mots) {
  std::string ligne;
  for (const std::string& mot : mots)
    if (!mot.empty()) ligne.append(" \"").append(mot).append("\"");
  return ligne;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  std::string_view ligne(reinterpret_cast<const char*>(donnees), taille);
  std::vector<std::string> trouves = decoupeligne(ligne);
  std::vector<std::string> pleins;
  for (const std::string& mot : trouves) {
    verifie(mot.size() <= longueurmot);
    verifie(mot.find('"') == std::string::npos);
    verifie(mot.find('\0') == std::string::npos);
    if (!mot.empty()) pleins.push_back(mot);
  }
  if (ligne.find('"') == std::string_view::npos) verifie(trouves == mots(ligne));
  verifie(decoupeligne(citee(trouves)) == pleins);
  return 0;
}
