#include "driver/etendu.h"

// The software real rounds to 64 bits by itself, whatever the unit's state.
void preparecalcul() {}
