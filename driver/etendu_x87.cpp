#include "driver/etendu.h"

void preparecalcul() {
  unsigned short controle;
  __asm__ volatile("fnstcw %0" : "=m"(controle));
  controle = static_cast<unsigned short>((controle & ~0x0C00) | 0x0300);
  __asm__ volatile("fldcw %0" : : "m"(controle));
}
