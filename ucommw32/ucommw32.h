// ucommw32 - the serial line unit: one serial port at a time.
//
// Set `portcom` and `parametrescom`, then for one exchange:
//   ouvrecom();  envoicom("?RD\r");  std::string r = lignecom();  fermecom();
//
//   ouvrecom    opens the port named by `portcom` for reading and writing,
//               exclusively, and applies `parametrescom` and `delaicom`.
//               Never fails visibly: a port that is missing or in use leaves
//               the unit with no port, and every later call does nothing.
//   envoicom    writes the bytes of its text in one write; not retried.
//   lignecom    receives one line ending in a carriage return (13) within
//               `delaicom` ms of its start and returns it without the carriage
//               return; an empty text when no complete line arrived in time.
//               Waits without spinning and returns as soon as the carriage
//               return is in. At most 255 bytes are kept; bytes after the
//               carriage return stay in the port's queue.
//   attentecom  received bytes waiting in the input queue (low 16 bits); 0
//               when there is no port. Also clears the line's error flags.
//   fermecom    closes the port.
//
// Port names: "comN:" (any case, colon optional) is the Nth serial port. On
// POSIX systems it names /dev/comN when that path exists (an alias, for
// instance a udev rule's link to a USB adapter) and /dev/ttyS<N-1> otherwise;
// any other name is a device path used as it stands.
//
// Single-threaded: the unit holds one port handle for the whole process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

extern std::string portcom;        // only its first 80 characters are used
extern std::string parametrescom;  // "baud=9600 parity=n data=8 stop=1"
extern std::uint16_t delaicom;     // reply time limit, milliseconds

void ouvrecom();
void envoicom(const std::string& texte);
std::string lignecom();
std::uint16_t attentecom();
void fermecom();

// A settings text read into its parts; 0 stands for a setting the text does
// not name, which the port keeps as it was.
struct reglages {
  unsigned baud = 0;
  char parite = 0;  // 'n', 'e' or 'o'
  int donnees = 0;  // 5 to 8
  int arret = 0;    // 1 or 2
};

// Reads "baud=9600 parity=n data=8 stop=1": keywords in any case, separated by
// blanks. False for an unknown keyword or a value this system cannot set.
bool lisreglages(std::string_view texte, reglages& r);

// The device path that a port name stands for on POSIX systems, with `dev`
// standing for the device directory.
std::string cheminduport(std::string_view nom, const std::string& dev = "/dev");
