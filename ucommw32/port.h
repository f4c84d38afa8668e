// Platform back-end of the serial line unit, private to ucommw32: one source
// file per platform, chosen by the build. It moves bytes and applies
// settings; the receive loop and its deadline live in ucommw32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

// Opens the device exclusively; on failure the back-end holds no port.
void port_ouvre(const char* nom);
// Queue sizes, line settings (the settings text) and time-outs.
void port_regle(const char* parametres, std::uint16_t delai);
void port_ecrit(const char* octets, std::size_t n);
// Bytes waiting in the input queue; 0 without a port or when the query fails.
std::uint32_t port_attente();
// Reads one byte; false when nothing was read.
bool port_lit(char& octet);
// Sleeps until input may be waiting or `ms` milliseconds have passed,
// without using the processor meanwhile.
void port_patiente(unsigned ms);
void port_ferme();
