#include <string>

#include "driver/driver.h"
#include "driver/etendu.h"
#include "ucommw32/ucommw32.h"

namespace {

const char* const reglagesmetre = "baud=9600 parity=n data=8 stop=1 ";
const char* const requete = "?RD\r";

// The window of the reply that holds the value: for the pH, two characters
// on each side of the first point, when that point stands after position 4;
// for the millivolts, characters 5 to 8 (positions counted from 1).
std::string_view fenetre(std::string_view reponse, std::int32_t voie) {
  if (voie == 0) {
    std::size_t point = reponse.find('.');
    if (point == std::string_view::npos || point < 4) return {};
    return reponse.substr(point - 2, 5);
  }
  if (voie == 1 && reponse.size() > 4) return reponse.substr(4, 4);
  return {};
}

// Keeps the point, the slash and the digits of the window, and a minus sign
// that is its first non-blank character: the meter writes negative readings
// (millivolts, pH below 0) with a leading sign.
std::string chiffres(std::string_view f) {
  std::string c;
  std::size_t debut = f.find_first_not_of(' ');
  if (debut != std::string_view::npos && f[debut] == '-') c = "-";
  for (char x : f)
    if (x >= '.' && x <= '9') c += x;
  return c;
}

// Optional leading spaces, an optional sign, digits, an optional point and
// digits, an optional exponent with at least one digit, and nothing else. At
// least one digit or the point must stand before the exponent.
bool lisnombremetre(std::string_view t, double& x) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negatif = i < t.size() && t[i] == '-';
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  etendu v = depuisentier(0);
  int exposant = 0;
  bool chiffre = false, point = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      v = ajoutechiffre(v, t[i] - '0');
      if (point) --exposant;
      chiffre = true;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!chiffre && !point) return false;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    bool moins = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    if (i == t.size()) return false;
    int e = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
      if (e < 100000) e = e * 10 + (t[i] - '0');
    exposant += moins ? -e : e;
  }
  if (i != t.size()) return false;
  v = echelle10(v, exposant);
  x = versdouble(negatif ? -v : v);
  return true;
}

}  // namespace

double lireponse(std::string_view reponse, std::int32_t voie) {
  double x;
  if (voie < 0 || voie > 1 || !lisnombremetre(chiffres(fenetre(reponse, voie)), x))
    return valeurabsente;
  return x;
}

double ead(std::int32_t voie) noexcept {
  parametrescom = reglagesmetre;
  ouvrecom();
  if (voie == 0 || voie == 1) envoicom(requete);
  std::string reponse = lignecom();
  fermecom();
  return lireponse(reponse, voie);
}
