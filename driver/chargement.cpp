// Built into the shared library only: a host program that loads the driver
// reads the meter on com4:, as the command-line program does.
#include "ucommw32/ucommw32.h"

namespace {

[[maybe_unused]] const bool portchoisi = (portcom = "com4:", true);

}  // namespace
