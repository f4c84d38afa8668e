// POSIX back-end: a tty device in raw mode, locked against other users.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "ucommw32/port.h"
#include "ucommw32/ucommw32.h"

namespace {

int fd = -1;

struct vitesse {
  unsigned baud;
  speed_t code;
};
const vitesse vitesses[] = {
    {50, B50},       {75, B75},       {110, B110},     {134, B134},
    {150, B150},     {200, B200},     {300, B300},     {600, B600},
    {1200, B1200},   {1800, B1800},   {2400, B2400},   {4800, B4800},
    {9600, B9600},   {19200, B19200}, {38400, B38400}, {57600, B57600},
    {115200, B115200}, {230400, B230400}};

bool codevitesse(unsigned baud, speed_t& code) {
  for (const vitesse& v : vitesses)
    if (v.baud == baud) {
      code = v.code;
      return true;
    }
  return false;
}

// Raw bytes, no flow control, receiver on; modem lines are left alone.
void brut(termios& t) {
  t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                 IXON | IXOFF | IXANY);
  t.c_oflag &= ~OPOST;
  t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~CRTSCTS;
  t.c_cflag |= CREAD | CLOCAL;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
}

bool applique(const reglages& r, termios& t) {
  speed_t code;
  if (r.baud && !codevitesse(r.baud, code)) return false;
  brut(t);
  if (r.baud && (cfsetispeed(&t, code) != 0 || cfsetospeed(&t, code) != 0))
    return false;
  if (r.donnees) {
    const tcflag_t tailles[] = {CS5, CS6, CS7, CS8};
    t.c_cflag = (t.c_cflag & ~CSIZE) | tailles[r.donnees - 5];
  }
  if (r.parite == 'n') t.c_cflag &= ~(PARENB | PARODD);
  if (r.parite == 'e') t.c_cflag = (t.c_cflag | PARENB) & ~PARODD;
  if (r.parite == 'o') t.c_cflag |= PARENB | PARODD;
  if (r.arret == 1) t.c_cflag &= ~CSTOPB;
  if (r.arret == 2) t.c_cflag |= CSTOPB;
  return true;
}

void dort(unsigned ms) {
  timespec t{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

}  // namespace

void port_ouvre(const char* nom) {
  std::string chemin = cheminduport(nom);
  fd = open(chemin.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  // A port in use by another process cannot be opened, as on Windows.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    fd = -1;
    return;
  }
  ioctl(fd, TIOCEXCL);
  // A reply left over from an earlier exchange is not part of this one.
  tcflush(fd, TCIFLUSH);
}

// Queue sizes have no POSIX equivalent; writes never block (O_NONBLOCK), so
// the write time-out has nothing to bound either.
void port_regle(const char* parametres, std::uint16_t) {
  reglages r;
  termios t;
  if (fd < 0 || !lisreglages(parametres, r) || tcgetattr(fd, &t) != 0) return;
  if (applique(r, t)) tcsetattr(fd, TCSANOW, &t);
}

void port_ecrit(const char* octets, std::size_t n) {
  if (fd < 0) return;
  while (write(fd, octets, n) < 0 && errno == EINTR) {
  }
}

std::uint32_t port_attente() {
  int n = 0;
  if (fd < 0 || ioctl(fd, FIONREAD, &n) != 0 || n < 0) return 0;
  return static_cast<std::uint32_t>(n);
}

bool port_lit(char& octet) {
  if (fd < 0) return false;
  ssize_t n;
  while ((n = read(fd, &octet, 1)) < 0 && errno == EINTR) {
  }
  return n == 1;
}

void port_patiente(unsigned ms) {
  pollfd p{fd, POLLIN, 0};
  int n = poll(&p, 1, static_cast<int>(ms));
  // A device that hung up (an adapter pulled out) reports itself ready for
  // good while nothing can arrive: sleep instead of polling again at once.
  if (n > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) && port_attente() == 0)
    dort(ms);
}

void port_ferme() {
  if (fd < 0) return;
  ioctl(fd, TIOCNXCL);
  close(fd);
  fd = -1;
}
