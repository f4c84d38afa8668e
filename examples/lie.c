/* Linked with the driver at build time:
 *   cc lie.c $(pkg-config --cflags --libs lph330t) -o lie */
#include <lph330t.h>
#include <stdio.h>

int main(void) {
  printf("%s\n", titre());
  int32_t centiemes = ea(0); /* the pH times 100, up to one second */
  if (centiemes == -77700) {
    printf("no reading\n");
    return 1;
  }
  printf("pH %.2f\n", centiemes / 100.0);
  return 0;
}
