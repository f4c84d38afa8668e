// The simulated meter as a test fixture: a real lph330t-simulateur process
// on a real pseudo-terminal.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "mesure.h"

struct simmetre {
  pid_t pid = -1;
  std::string chemin;   // the pseudo-terminal's device
  std::string journal;  // the simulator's log file

  explicit simmetre(const std::vector<std::string>& options = {});
  ~simmetre();
  simmetre(const simmetre&) = delete;
  simmetre& operator=(const simmetre&) = delete;

  std::string lignes() const;  // the log so far
  std::string recu() const;    // every byte received, as "3F 52 44 0D"
};
