// lph330t-lance - runs the command line held in the environment variable
// LIGNE exactly as written, as a host program would with CreateProcess, with
// the same standard handles, and exits with its exit status (2 when it
// cannot be started). Under Wine this is the only way to hand a program a
// command line with quotes of one's choosing: Wine quotes the arguments it
// is given itself.
#include <windows.h>

int main() {
  static char ligne[32768];
  DWORD n = GetEnvironmentVariableA("LIGNE", ligne, sizeof ligne);
  if (n == 0 || n >= sizeof ligne) return 2;
  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  demarrage.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  demarrage.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION p;
  if (!CreateProcessA(nullptr, ligne, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &demarrage, &p))
    return 2;
  WaitForSingleObject(p.hProcess, INFINITE);
  DWORD statut = 2;
  GetExitCodeProcess(p.hProcess, &statut);
  return static_cast<int>(statut);
}
