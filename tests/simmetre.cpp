#include "simmetre.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

simmetre::simmetre(const std::vector<std::string>& options) {
  char modele[] = "/tmp/simmetre-XXXXXX";
  int f = mkstemp(modele);
  if (f < 0) throw std::runtime_error("mkstemp");
  close(f);
  journal = modele;
  int tube[2];
  if (pipe(tube) != 0) throw std::runtime_error("pipe");
  pid = fork();
  if (pid == 0) {
    dup2(tube[1], 1);
    close(tube[0]);
    close(tube[1]);
    std::vector<std::string> a = {SIMULATEUR, "--journal", journal};
    a.insert(a.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& s : a) argv.push_back(s.data());
    argv.push_back(nullptr);
    execv(SIMULATEUR, argv.data());
    _exit(127);
  }
  close(tube[1]);
  char c;
  while (read(tube[0], &c, 1) == 1 && c != '\n') chemin += c;
  close(tube[0]);
  if (chemin.empty()) throw std::runtime_error("the simulated meter did not start");
}

simmetre::~simmetre() {
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  unlink(journal.c_str());
}

std::string simmetre::lignes() const {
  std::ifstream f(journal);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string simmetre::recu() const {
  std::istringstream s(lignes());
  std::string ligne, octets;
  while (std::getline(s, ligne))
    if (ligne.rfind("recu ", 0) == 0) octets += (octets.empty() ? "" : " ") + ligne.substr(5);
  return octets;
}
