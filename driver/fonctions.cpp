// The driver function set: the two analog inputs of the meter, and the
// no-value answers of every facility it lacks.
#include "driver/driver.h"
#include "driver/etendu.h"

namespace {

const double reelabsent = valeurabsente;
const char* const vide = "";

// The name of channel 0's reading, or of channel 1's, or of no channel.
const char* nomdevoie(std::int32_t voie, const char* ph) {
  return voie == 0 ? ph : voie == 1 ? "mV" : vide;
}

}  // namespace

extern "C" {

// The pH as hundredths: the product is formed in extended precision, rounded
// to a 64-bit integer of which the low 32 bits are kept, so a failed reading
// gives -77700 on channel 0.
std::int32_t ea(std::int32_t voie) noexcept {
  if (static_cast<std::uint32_t>(voie) >= 2) return valeurabsente;
  etendu x = depuisdouble(ead(voie));
  if (voie == 0) x = x * depuisentier(100);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(entier64(x)));
}

const char* nea(std::int32_t voie) noexcept { return nomdevoie(voie, "pH*100"); }
const char* nead(std::int32_t voie) noexcept { return nomdevoie(voie, "pH"); }
std::int32_t sa(std::int32_t, std::int32_t) noexcept { return valeurabsente; }
const char* nsa(std::int16_t) noexcept { return vide; }
std::int32_t rsa(std::int16_t) noexcept { return valeurabsente; }
double sad(std::int32_t, double) noexcept { return reelabsent; }
const char* nsad(std::int32_t) noexcept { return vide; }
double rsad(std::int32_t) noexcept { return reelabsent; }
std::int32_t eb(std::int32_t) noexcept { return valeurabsente; }
const char* neb(std::int32_t) noexcept { return vide; }
std::int32_t sb(std::int32_t, std::int32_t) noexcept { return valeurabsente; }
const char* nsb(std::int32_t) noexcept { return vide; }
std::int32_t rsb(std::int32_t) noexcept { return valeurabsente; }
const char* titre() noexcept { return "LPH330T en Com4:"; }
const char* detail() noexcept {
  return "pilote ex\xE9" "cutable pour pHm\xE8" "tre Tacussel LPH330T en Com4:, Orlavex, 26 nov 07";
}

std::int32_t LPH330T_STD stdea(std::int32_t voie) noexcept { return ea(voie); }
const char* LPH330T_STD stdnea(std::int32_t voie) noexcept { return nea(voie); }
double LPH330T_STD stdead(std::int32_t voie) noexcept { return ead(voie); }
float LPH330T_STD stdeas(std::int32_t voie) noexcept { return static_cast<float>(ead(voie)); }
const char* LPH330T_STD stdnead(std::int32_t voie) noexcept { return nead(voie); }
std::int32_t LPH330T_STD stdsa(std::int32_t voie, std::int32_t valeur) noexcept {
  return sa(voie, valeur);
}
const char* LPH330T_STD stdnsa(std::int16_t voie) noexcept { return nsa(voie); }
std::int32_t LPH330T_STD stdrsa(std::int16_t voie) noexcept { return rsa(voie); }
double LPH330T_STD stdsad(std::int32_t voie, double valeur) noexcept { return sad(voie, valeur); }
float LPH330T_STD stdsas(std::int32_t voie, float valeur) noexcept {
  return static_cast<float>(sad(voie, valeur));
}
const char* LPH330T_STD stdnsad(std::int32_t voie) noexcept { return nsad(voie); }
double LPH330T_STD stdrsad(std::int32_t voie) noexcept { return rsad(voie); }
float LPH330T_STD stdrsas(std::int32_t voie) noexcept { return static_cast<float>(rsad(voie)); }
std::int32_t LPH330T_STD stdeb(std::int32_t voie) noexcept { return eb(voie); }
const char* LPH330T_STD stdneb(std::int32_t voie) noexcept { return neb(voie); }
std::int32_t LPH330T_STD stdsb(std::int32_t voie, std::int32_t valeur) noexcept {
  return sb(voie, valeur);
}
const char* LPH330T_STD stdnsb(std::int32_t voie) noexcept { return nsb(voie); }
std::int32_t LPH330T_STD stdrsb(std::int32_t voie) noexcept { return rsb(voie); }
const char* LPH330T_STD stdtitre() noexcept { return titre(); }
const char* LPH330T_STD stddetail() noexcept { return detail(); }

}  // extern "C"
