/* Loads the driver at run time and reads the pH.
 *   Linux:   cc hote.c -o hote           (-ldl with glibc before 2.34)
 *   Windows: x86_64-w64-mingw32-gcc hote.c -o hote.exe
 * The plain functions (ea, ead, titre...) use the C calling convention on
 * every platform; the std family is __stdcall on 32-bit Windows. */
#include <stdint.h>
#include <stdio.h>

#ifdef _WIN32
#include <windows.h>
static void* charge(void) { return (void*)LoadLibraryA("lph330t.dll"); }
static void* cherche(void* bibliotheque, const char* nom) {
  return (void*)GetProcAddress((HMODULE)bibliotheque, nom);
}
#else
#include <dlfcn.h>
static void* charge(void) { return dlopen("liblph330t.so.1", RTLD_NOW); }
static void* cherche(void* bibliotheque, const char* nom) { return dlsym(bibliotheque, nom); }
#endif

int main(void) {
  void* pilote = charge();
  if (!pilote) {
    fprintf(stderr, "the driver library cannot be loaded\n");
    return 2;
  }
  const char* (*titre)(void) = (const char* (*)(void))cherche(pilote, "titre");
  double (*ead)(int32_t) = (double (*)(int32_t))cherche(pilote, "ead");
  if (!titre || !ead) {
    fprintf(stderr, "not the lph330t driver\n");
    return 2;
  }
  printf("%s\n", titre());
  double ph = ead(0); /* up to one second */
  if (ph == -777.0) {
    printf("no reading\n");
    return 1;
  }
  printf("pH %.2f\n", ph);
  return 0;
}
