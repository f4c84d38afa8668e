// lph330t-simulateur - a simulated LPH330T pH meter on a pseudo-terminal.
//
// Prints the path of the terminal's device on its first line, then answers
// every request "?RD" CR with a reply line until it is stopped (SIGINT or
// SIGTERM). Options shape the reply and the line's faults:
//   --reponse TEXTE  the reply line, without its CR (default "pH  7.02");
//                    \r \n \t \\ \0 and \xHH stand for their bytes
//   --silence        never answer
//   --sans-cr        leave out the CR
//   --apres TEXTE    bytes sent after the CR
//   --delai MS       wait before answering
//   --pas MS         pause between bytes (1.04 is a 9600-baud line)
//   --flot N         answer with N bytes of junk and no CR instead
//   --raccroche N    hang up (close the terminal and quit) after N bytes
//   --journal FICHIER  log the bytes received and the line settings seen
//   --lien CHEMIN    also make CHEMIN a symbolic link to the device
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string reponse = "pH  7.02";
std::string apres;
bool silence = false, sanscr = false;
double delai = 0, pas = 0;
long flot = -1, raccroche = -1;
std::FILE* journal = nullptr;
std::string lien;
volatile sig_atomic_t arret = 0;
int maitre = -1, esclave = -1;

int hexa(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string deslash(const char* t) {
  std::string s;
  for (; *t; ++t) {
    if (*t != '\\' || !t[1]) {
      s += *t;
      continue;
    }
    char c = *++t;
    if (c == 'r') s += '\r';
    else if (c == 'n') s += '\n';
    else if (c == 't') s += '\t';
    else if (c == '0') s += '\0';
    else if (c == 'x' && hexa(t[1]) >= 0 && hexa(t[2]) >= 0) {
      s += static_cast<char>(hexa(t[1]) * 16 + hexa(t[2]));
      t += 2;
    } else s += c;
  }
  return s;
}

void dort(double ms) {
  if (ms <= 0) return;
  timespec t{static_cast<time_t>(ms / 1000), static_cast<long>((ms - 1000 * static_cast<long>(ms / 1000)) * 1e6)};
  while (nanosleep(&t, &t) != 0 && errno == EINTR && !arret) {
  }
}

void usage() {
  std::fputs("usage: lph330t-simulateur [--reponse TEXTE] [--silence] [--sans-cr]\n"
             "  [--apres TEXTE] [--delai MS] [--pas MS] [--flot N] [--raccroche N]\n"
             "  [--journal FICHIER] [--lien CHEMIN]\n", stderr);
  std::exit(2);
}

void options(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string o = argv[i];
    auto valeur = [&]() -> const char* {
      if (i + 1 >= argc) usage();
      return argv[++i];
    };
    if (o == "--reponse") reponse = deslash(valeur());
    else if (o == "--apres") apres = deslash(valeur());
    else if (o == "--silence") silence = true;
    else if (o == "--sans-cr") sanscr = true;
    else if (o == "--delai") delai = std::atof(valeur());
    else if (o == "--pas") pas = std::atof(valeur());
    else if (o == "--flot") flot = std::atol(valeur());
    else if (o == "--raccroche") raccroche = std::atol(valeur());
    else if (o == "--journal") {
      journal = std::fopen(valeur(), "w");
      if (!journal) { std::perror("journal"); std::exit(2); }
    } else if (o == "--lien") lien = valeur();
    else usage();
  }
}

void note(const char* format, ...) __attribute__((format(printf, 1, 2)));
void note(const char* format, ...) {
  if (!journal) return;
  va_list a;
  va_start(a, format);
  std::vfprintf(journal, format, a);
  va_end(a);
  std::fflush(journal);
}

// The settings the driver left on the line, as the terminal holds them.
void notereglages() {
  termios t;
  if (tcgetattr(esclave, &t) != 0) return;
  const struct { speed_t code; long baud; } vitesses[] = {
      {B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600},
      {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
  long baud = 0;
  for (auto v : vitesses)
    if (cfgetospeed(&t) == v.code) baud = v.baud;
  const int bits[] = {5, 6, 7, 8};
  int donnees = bits[(t.c_cflag & CSIZE) == CS5 ? 0 : (t.c_cflag & CSIZE) == CS6 ? 1
                     : (t.c_cflag & CSIZE) == CS7 ? 2 : 3];
  char parite = !(t.c_cflag & PARENB) ? 'n' : (t.c_cflag & PARODD) ? 'o' : 'e';
  bool xonxoff = t.c_iflag & (IXON | IXOFF);
  bool rtscts = t.c_cflag & CRTSCTS;
  bool brut = !(t.c_lflag & (ICANON | ECHO | ISIG)) && !(t.c_oflag & OPOST) &&
              !(t.c_iflag & (ICRNL | INLCR | IGNCR));
  note("reglages baud=%ld parity=%c data=%d stop=%d xonxoff=%d rtscts=%d brut=%d\n",
       baud, parite, donnees, (t.c_cflag & CSTOPB) ? 2 : 1, xonxoff, rtscts, brut);
}

void raccrocheetquitte() {
  close(maitre);
  close(esclave);
  if (!lien.empty()) unlink(lien.c_str());
  std::exit(0);
}

// Writes everything, retrying what a full terminal queue or a signal left.
void ecris(const char* octets, std::size_t n) {
  while (n > 0 && !arret) {
    ssize_t ecrits = write(maitre, octets, n);
    if (ecrits < 0 && errno != EINTR) return;
    if (ecrits > 0) {
      octets += ecrits;
      n -= static_cast<std::size_t>(ecrits);
    }
  }
}

void envoie(const std::string& octets) {
  // Without pacing or a hang-up the reply goes out in one write, as a line
  // that delivers it all at once.
  if (pas <= 0 && raccroche < 0) return ecris(octets.data(), octets.size());
  for (std::size_t i = 0; i < octets.size() && !arret; ++i) {
    if (raccroche >= 0 && static_cast<long>(i) >= raccroche) raccrocheetquitte();
    if (pas > 0 && i > 0) dort(pas);
    ecris(&octets[i], 1);
  }
  if (raccroche >= 0) raccrocheetquitte();
}

void repond() {
  notereglages();
  if (silence) return;
  dort(delai);
  std::string octets;
  if (flot >= 0) {
    for (long i = 0; i < flot; ++i) octets += static_cast<char>('A' + i % 26);
  } else {
    octets = reponse + (sanscr ? "" : "\r") + apres;
  }
  envoie(octets);
}

void ecoute() {
  std::string recu;
  while (!arret) {
    pollfd p{maitre, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    char tampon[256];
    ssize_t n = read(maitre, tampon, sizeof tampon);
    if (n <= 0) continue;
    note("recu");
    for (ssize_t i = 0; i < n; ++i) note(" %02X", static_cast<unsigned char>(tampon[i]));
    note("\n");
    recu.append(tampon, n);
    std::size_t requete;
    while ((requete = recu.find("?RD\r")) != std::string::npos) {
      recu.erase(0, requete + 4);
      repond();
    }
  }
}

void stoppe(int) { arret = 1; }

// The line starts raw but with other settings than the meter's (1200 baud,
// 7 data bits, even parity, both flow controls), so a log that shows the
// meter's settings shows what the driver set.
void etatinitial() {
  termios t;
  if (tcgetattr(esclave, &t) != 0) return;
  cfmakeraw(&t);
  cfsetispeed(&t, B1200);
  cfsetospeed(&t, B1200);
  t.c_cflag = (t.c_cflag & ~CSIZE) | CS7 | PARENB | CRTSCTS;
  t.c_iflag |= IXON | IXOFF;
  tcsetattr(esclave, TCSANOW, &t);
}

}  // namespace

int main(int argc, char** argv) {
  options(argc, argv);
  maitre = posix_openpt(O_RDWR | O_NOCTTY);
  if (maitre < 0 || grantpt(maitre) != 0 || unlockpt(maitre) != 0) {
    std::perror("posix_openpt");
    return 1;
  }
  std::string chemin = ptsname(maitre);
  // Holding the device open keeps the terminal alive between the driver's
  // openings, as a real port is, and keeps its settings.
  esclave = open(chemin.c_str(), O_RDWR | O_NOCTTY);
  etatinitial();
  if (!lien.empty()) {
    unlink(lien.c_str());
    if (symlink(chemin.c_str(), lien.c_str()) != 0) {
      std::perror("symlink");
      return 1;
    }
  }
  struct sigaction s{};
  s.sa_handler = stoppe;
  sigaction(SIGINT, &s, nullptr);
  sigaction(SIGTERM, &s, nullptr);
  signal(SIGPIPE, SIG_IGN);
  std::printf("%s\n", chemin.c_str());
  std::fflush(stdout);
  ecoute();
  if (!lien.empty()) unlink(lien.c_str());
  return 0;
}
