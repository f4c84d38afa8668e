// The meter's reply. The first byte chooses the channel (-1 to 2), the rest
// is the reply line. Whatever the line holds, the answer is -777 or a value
// that the window of the channel can hold: below 100 for the pH (two digits
// before the point), below 10000 for the millivolts (four characters).
#include <cmath>
#include <cstdint>
#include <string_view>

#include "driver/driver.h"
#include "verifie.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  if (taille == 0) return 0;
  std::int32_t voie = donnees[0] % 4 - 1;
  std::string_view reponse(reinterpret_cast<const char*>(donnees + 1), taille - 1);
  double x = lireponse(reponse, voie);
  if (x == valeurabsente) return 0;
  verifie(voie == 0 || voie == 1);
  verifie(std::isfinite(x));
  verifie(std::fabs(x) < (voie == 0 ? 100 : 10000));
  return 0;
}
