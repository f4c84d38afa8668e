// The command table: each word, the driver function it calls with its
// arguments converted, and the printed form of the result.
#include "cli/cli.h"
#include "driver/lph330t.h"
#include "ucommw32/ucommw32.h"

namespace {

const std::size_t longueurcommande = 255;

using reponse = std::string (*)(double voie, double valeur);

struct commande {
  const char* mot;
  reponse repond;
};

std::int32_t voiede(double voie) { return arrondi(voie); }
std::int16_t voie16(double voie) { return static_cast<std::int16_t>(arrondi(voie)); }
std::string texte(const char* t) { return t; }
std::string reel(double x) { return reelentexte(x); }
std::string entier(std::int32_t n) { return entierentexte(n); }

// Rows that take an integer value round it before the channel; stdsas
// narrows its value before rounding the channel.
const commande table[] = {
    {"ea", [](double v, double) { return entier(ea(voiede(v))); }},
    {"nea", [](double v, double) { return texte(nea(voiede(v))); }},
    {"ead", [](double v, double) { return reel(ead(voiede(v))); }},
    {"nead", [](double v, double) { return texte(nead(voiede(v))); }},
    {"sa", [](double v, double x) { std::int32_t n = arrondi(x); return entier(sa(voiede(v), n)); }},
    {"nsa", [](double v, double) { return texte(nsa(voie16(v))); }},
    {"rsa", [](double v, double) { return entier(rsa(voie16(v))); }},
    {"sad", [](double v, double x) { return reel(sad(voiede(v), x)); }},
    {"nsad", [](double v, double) { return texte(nsad(voiede(v))); }},
    {"rsad", [](double v, double) { return reel(rsad(voiede(v))); }},
    {"eb", [](double v, double) { return entier(eb(voiede(v))); }},
    {"neb", [](double v, double) { return texte(neb(voiede(v))); }},
    {"sb", [](double v, double x) { std::int32_t n = arrondi(x); return entier(sb(voiede(v), n)); }},
    {"nsb", [](double v, double) { return texte(nsb(voiede(v))); }},
    {"rsb", [](double v, double) { return entier(rsb(voiede(v))); }},
    {"titre", [](double, double) { return texte(titre()); }},
    {"detail", [](double, double) { return texte(detail()); }},
    {"stdea", [](double v, double) { return entier(stdea(voiede(v))); }},
    {"stdnea", [](double v, double) { return texte(stdnea(voiede(v))); }},
    {"stdead", [](double v, double) { return reel(stdead(voiede(v))); }},
    {"stdeas", [](double v, double) { return reel(stdeas(voiede(v))); }},
    {"stdnead", [](double v, double) { return texte(stdnead(voiede(v))); }},
    {"stdsa", [](double v, double x) { std::int32_t n = arrondi(x); return entier(stdsa(voiede(v), n)); }},
    {"stdnsa", [](double v, double) { return texte(stdnsa(voie16(v))); }},
    {"stdrsa", [](double v, double) { return entier(stdrsa(voie16(v))); }},
    {"stdsad", [](double v, double x) { return reel(stdsad(voiede(v), x)); }},
    {"stdsas", [](double v, double x) { float s = ensimple(x); return reel(stdsas(voiede(v), s)); }},
    {"stdnsad", [](double v, double) { return texte(stdnsad(voiede(v))); }},
    {"stdrsad", [](double v, double) { return reel(stdrsad(voiede(v))); }},
    {"stdrsas", [](double v, double) { return reel(stdrsas(voiede(v))); }},
    {"stdeb", [](double v, double) { return entier(stdeb(voiede(v))); }},
    {"stdneb", [](double v, double) { return texte(stdneb(voiede(v))); }},
    {"stdsb", [](double v, double x) { std::int32_t n = arrondi(x); return entier(stdsb(voiede(v), n)); }},
    {"stdnsb", [](double v, double) { return texte(stdnsb(voiede(v))); }},
    {"stdrsb", [](double v, double) { return entier(stdrsb(voiede(v))); }},
    {"stdtitre", [](double, double) { return texte(stdtitre()); }},
    {"stddetail", [](double, double) { return texte(stddetail()); }},
};

}  // namespace

std::optional<std::string> repondre(const std::string& commande, double voie, double valeur) {
  // Every row is compared, in order; the words all differ, so at most one
  // matches.
  reponse choisie = nullptr;
  for (const auto& ligne : table)
    if (commande == ligne.mot) choisie = ligne.repond;
  if (!choisie) return std::nullopt;
  return choisie(voie, valeur);
}

std::optional<std::string> executer(const std::vector<std::string>& mots) {
  portcom = "com4:";
  double voie = 11.0, valeur = 22.0;
  std::string commande = mots.empty() ? "" : mots[0].substr(0, longueurcommande);
  if (mots.size() >= 2) voie = endouble(lisnombre(mots[1]));
  if (mots.size() >= 3) valeur = endouble(lisnombre(mots[2]));
  return repondre(commande, voie, valeur);
}
