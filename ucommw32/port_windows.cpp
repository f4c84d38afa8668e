// Windows back-end: the Win32 communications calls.
#include <windows.h>

#include <string>

#include "ucommw32/port.h"

namespace {

HANDLE port = INVALID_HANDLE_VALUE;
DCB etat;
COMMTIMEOUTS delais;
DWORD erreurs = 0;
COMSTAT statut;

}  // namespace

void port_ouvre(const char* nom) {
  port = CreateFileA(nom, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

void port_regle(const char* parametres, std::uint16_t delai) {
  SetupComm(port, 256, 256);
  etat = DCB{};
  etat.DCBlength = sizeof etat;
  GetCommState(port, &etat);
  // Windows reads the text the same with or without trailing blanks; some
  // implementations of BuildCommDCBA reject them.
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
  if (!ClearCommError(port, &erreurs, &statut)) return 0;
  return statut.cbInQue;
}

bool port_lit(char& octet) {
  DWORD lus = 0;
  return ReadFile(port, &octet, 1, &lus, nullptr) && lus == 1;
}

// Short sleeps: the byte count is polled again about every millisecond.
void port_patiente(unsigned ms) { Sleep(ms < 1 ? ms : 1); }

void port_ferme() {
  CloseHandle(port);
  port = INVALID_HANDLE_VALUE;
}
