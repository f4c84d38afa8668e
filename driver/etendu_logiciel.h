// etendu as the software real reel64, where long double is not the 80-bit
// format. Included by etendu.h only.
#pragma once

#include "driver/reel64.h"

using etendu = logiciel::reel64;

using logiciel::absolu;
using logiciel::composer;
using logiciel::depuisdouble;
using logiciel::depuisentier;
using logiciel::entier64;
using logiciel::entierproche;
using logiciel::estinfini;
using logiciel::estnan;
using logiciel::estnegatif;
using logiciel::exposant2;
using logiciel::versdouble;
using logiciel::verssimple;
