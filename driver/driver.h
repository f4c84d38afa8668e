// driver - the LPH330T pH meter's driver function set (lph330t.h, where
// every function is described) and its reading.
//
//   ead        one complete dialogue with the meter on the port that
//              `portcom` names: sets the meter's line settings, opens the port,
//              sends "?RD" and a carriage return (channels 0 and 1 only),
//              waits up to `delaicom` ms (1000) for one reply line, closes the
//              port and returns the pH (channel 0) or the millivolts
//              (channel 1). -777.0 when there is no usable reply, and for
//              every other channel after the same wait. Never fails visibly.
//   lireponse  the value that a reply line (without its carriage return)
//              gives for a channel, as ead reads it.
#pragma once

#include <cstdint>
#include <string_view>

#include "driver/lph330t.h"

const std::int32_t valeurabsente = -777;

double lireponse(std::string_view reponse, std::int32_t voie);
