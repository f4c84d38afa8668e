// Built into the shared library only: a host program that loads the driver
// reads the meter on com4:, as the command-line program does, and computes
// with the same precision.
#include "driver/etendu.h"
#include "ucommw32/ucommw32.h"

namespace {

bool charge() {
  portcom = "com4:";
  preparecalcul();
  return true;
}

[[maybe_unused]] const bool charge_ = charge();

}  // namespace
