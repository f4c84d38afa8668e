// Windows back-end: the Win32 communications calls.
#include <windows.h>

#include <string>
#include <string_view>

#include "ucommw32/port.h"

namespace {

HANDLE port = INVALID_HANDLE_VALUE;
DCB etat;
COMMTIMEOUTS delais;
DWORD erreurs = 0;
COMSTAT statut;
// The byte that ended a waiting read in port_patiente, not yet handed over:
// it is the oldest byte received, counted as waiting and read first.
char avance;
bool enavance = false;
// Held while the port is open; see prendverrou.
HANDLE verrou = nullptr;

// XON/XOFF and hardware flow control off, the defaults of Windows' own
// settings-text parser; Wine's BuildCommDCBA keeps what the port had (a
// line left in RTS/CTS flow control would hold back the request). DTR and
// RTS themselves are only taken out of handshake mode.
void sansflot(DCB& d) {
  d.fOutxCtsFlow = FALSE;
  d.fOutxDsrFlow = FALSE;
  d.fDsrSensitivity = FALSE;
  d.fOutX = FALSE;
  d.fInX = FALSE;
  if (d.fDtrControl == DTR_CONTROL_HANDSHAKE) d.fDtrControl = DTR_CONTROL_ENABLE;
  if (d.fRtsControl != RTS_CONTROL_DISABLE) d.fRtsControl = RTS_CONTROL_ENABLE;
}

// "com4:", "COM4" and "\\.\com4" name the same port.
std::string nomverrou(std::string_view nom) {
  if (nom.starts_with("\\\\.\\")) nom.remove_prefix(4);
  if (nom.ends_with(':')) nom.remove_suffix(1);
  std::string v = "lph330t-port-";
  for (char c : nom) v += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return v;
}

// Windows' serial driver refuses a second opening of a port whatever the
// sharing mode; Wine opens it again. A mutex named after the port keeps our
// own processes apart there as well (WAIT_ABANDONED: its holder died).
bool prendverrou(const char* nom) {
  verrou = CreateMutexA(nullptr, FALSE, nomverrou(nom).c_str());
  if (!verrou) return true;
  DWORD r = WaitForSingleObject(verrou, 0);
  if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) return true;
  CloseHandle(verrou);
  verrou = nullptr;
  return false;
}

void rendverrou() {
  if (!verrou) return;
  ReleaseMutex(verrou);
  CloseHandle(verrou);
  verrou = nullptr;
}

}  // namespace

void port_ouvre(const char* nom) {
  enavance = false;
  port = INVALID_HANDLE_VALUE;
  if (!prendverrou(nom)) return;
  port = CreateFileA(nom, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (port == INVALID_HANDLE_VALUE) rendverrou();
  // A reply left over from an earlier exchange is not part of this one. A
  // closed port drops what arrives, but a device that keeps its own queue
  // (a pseudo-terminal under Wine, some USB adapters) hands it over late.
  PurgeComm(port, PURGE_RXCLEAR);
}

void port_regle(const char* parametres, std::uint16_t delai) {
  SetupComm(port, 256, 256);
  etat = DCB{};
  etat.DCBlength = sizeof etat;
  GetCommState(port, &etat);
  sansflot(etat);
  // Windows reads the text the same with or without trailing blanks; Wine's
  // BuildCommDCBA rejects them and then leaves the record untouched.
  std::string texte = parametres;
  texte.erase(texte.find_last_not_of(" \t") + 1);
  BuildCommDCBA(texte.c_str(), &etat);
  SetCommState(port, &etat);
  delais = COMMTIMEOUTS{0, 0, delai, 0, delai};
  SetCommTimeouts(port, &delais);
}

void port_ecrit(const char* octets, std::size_t n) {
  DWORD ecrits = 0;
  WriteFile(port, octets, static_cast<DWORD>(n), &ecrits, nullptr);
}

std::uint32_t port_attente() {
  statut = COMSTAT{};
  if (!ClearCommError(port, &erreurs, &statut)) return enavance;
  return statut.cbInQue + enavance;
}

bool port_lit(char& octet) {
  if (enavance) {
    octet = avance;
    enavance = false;
    return true;
  }
  DWORD lus = 0;
  return ReadFile(port, &octet, 1, &lus, nullptr) && lus == 1;
}

// A read of one byte bounded by `ms`: the first byte ends the wait at once,
// and a quiet line costs no processor time (polling with Sleep(1) costs about
// 13 ms of processor per second under Wine). The read time-out stays at
// `ms` afterwards, which is harmless: port_lit reads only bytes already
// waiting, and every opening sets the time-outs again. Without a port
// nothing can arrive, and the wait is a plain sleep.
void port_patiente(unsigned ms) {
  delais.ReadTotalTimeoutConstant = ms;
  DWORD lus = 0;
  if (SetCommTimeouts(port, &delais) && ReadFile(port, &avance, 1, &lus, nullptr))
    enavance = lus == 1;
  else
    Sleep(ms);
}

void port_ferme() {
  enavance = false;
  CloseHandle(port);
  port = INVALID_HANDLE_VALUE;
  rendverrou();
}
