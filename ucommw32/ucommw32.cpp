#include "ucommw32/ucommw32.h"

#include <chrono>
#include <filesystem>

#include "ucommw32/port.h"

// Constant-initialised, so that code run while a shared library loads may set
// it whatever the order of initialisation.
constinit std::string portcom = "Com1:";
std::string parametrescom = "baud=1200 parity=e data=7 stop=1";
std::uint16_t delaicom = 1000;

namespace {

const std::size_t longueurnom = 80;
const std::size_t longueurligne = 255;

// Millisecond tick counter; callers subtract in unsigned 32 bits, so a wrap
// is harmless.
std::uint32_t tic() {
  auto t = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(t).count());
}

char minuscule(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

bool egalsanscasse(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (minuscule(a[i]) != minuscule(b[i])) return false;
  return true;
}

// "9600" -> 9600; false for an empty text, a non-digit or a huge number.
bool lisentier(std::string_view t, unsigned& n) {
  if (t.empty() || t.size() > 7) return false;
  n = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  return true;
}

bool lisreglage(std::string_view cle, std::string_view val, reglages& r) {
  unsigned n = 0;
  if (egalsanscasse(cle, "baud")) return lisentier(val, r.baud) && r.baud > 0;
  if (egalsanscasse(cle, "parity")) {
    if (val.size() != 1) return false;
    r.parite = minuscule(val[0]);
    return r.parite == 'n' || r.parite == 'e' || r.parite == 'o';
  }
  if (egalsanscasse(cle, "data")) {
    r.donnees = lisentier(val, n) ? static_cast<int>(n) : 0;
    return r.donnees >= 5 && r.donnees <= 8;
  }
  if (egalsanscasse(cle, "stop")) {
    r.arret = lisentier(val, n) ? static_cast<int>(n) : 0;
    return r.arret == 1 || r.arret == 2;
  }
  return false;
}

bool blanc(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool lisreglages(std::string_view texte, reglages& r) {
  r = reglages{};
  std::size_t i = 0;
  for (;;) {
    while (i < texte.size() && blanc(texte[i])) ++i;
    if (i == texte.size()) return true;
    std::size_t fin = i;
    while (fin < texte.size() && !blanc(texte[fin])) ++fin;
    std::string_view mot = texte.substr(i, fin - i);
    std::size_t egal = mot.find('=');
    if (egal == std::string_view::npos) return false;
    if (!lisreglage(mot.substr(0, egal), mot.substr(egal + 1), r)) return false;
    i = fin;
  }
}

std::string cheminduport(std::string_view nom, const std::string& dev) {
  std::string_view n = nom;
  if (!n.empty() && n.back() == ':') n.remove_suffix(1);
  unsigned numero = 0;
  if (n.size() < 4 || !egalsanscasse(n.substr(0, 3), "com") ||
      !lisentier(n.substr(3), numero) || numero == 0)
    return std::string(nom);
  std::string alias = dev + "/com" + std::to_string(numero);
  std::error_code e;
  if (std::filesystem::exists(alias, e)) return alias;
  return dev + "/ttyS" + std::to_string(numero - 1);
}

void ouvrecom() {
  std::string nom = portcom.substr(0, longueurnom);
  port_ouvre(nom.c_str());
  port_regle(parametrescom.c_str(), delaicom);
}

void envoicom(const std::string& texte) { port_ecrit(texte.data(), texte.size()); }

std::uint16_t attentecom() { return static_cast<std::uint16_t>(port_attente()); }

std::string lignecom() {
  std::string ligne;
  std::uint32_t debut = tic();
  for (;;) {
    bool recu = attentecom() > 0;
    char octet;
    if (recu && port_lit(octet) && ligne.size() < longueurligne) ligne += octet;
    if (!ligne.empty() && ligne.back() == '\r') break;
    std::uint32_t ecoule = tic() - debut;
    if (ecoule > delaicom) break;
    if (!recu) port_patiente(delaicom - ecoule + 1);
  }
  std::size_t cr = ligne.find('\r');
  return cr == std::string::npos ? std::string() : ligne.substr(0, cr);
}

void fermecom() { port_ferme(); }
