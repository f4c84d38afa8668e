// Windows services of the front end.
#include <windows.h>

#include "cli/cli.h"

// The program reads its command line as one text and splits it itself.
std::vector<std::string> motsdelaligne(int, char**) {
  std::vector<std::string> mots = decoupeligne(GetCommandLineA());
  if (!mots.empty()) mots.erase(mots.begin());
  return mots;
}

std::string nomduprogramme(const char*) {
  char chemin[MAX_PATH + 1] = "";
  DWORD n = GetModuleFileNameA(nullptr, chemin, MAX_PATH);
  std::string c(chemin, n);
  std::size_t barre = c.find_last_of("\\/");
  return barre == std::string::npos ? c : c.substr(barre + 1);
}

std::uintptr_t baseduprogramme() {
  return reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
}

bool sortieestconsole() {
  return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

// Bytes go to the handle as they are: no line end is converted and no code
// page is applied.
void ecrisoctets(const char* octets, std::size_t n) {
  DWORD ecrits = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), octets, static_cast<DWORD>(n), &ecrits, nullptr);
}
