// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a Quake engine, for tests and the demo: it records where it was started and
// with which arguments, shows them, and in a terminal waits until the player has read them.
//
// The record goes to stand-in-engine.log in the working directory, or to the file named by the
// environment variable KOVAR_STAND_IN_LOG: the working directory on the first line, then the
// program name as called, then each argument, one a line. A test that starts it in a console
// window of its own sets KOVAR_STAND_IN_NO_WAIT, so that it ends without a player.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#define getcwd _getcwd
#define isatty _isatty
#else
#include <unistd.h>
#endif

namespace {

std::string WorkingDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (getcwd(buffer.data(), static_cast<int>(buffer.size()))) return buffer.data();
    if (buffer.size() > (1u << 20)) return "?";
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> lines = {WorkingDirectory()};
  for (int i = 0; i < argc; ++i) lines.emplace_back(argv[i]);

  const char* logVariable = std::getenv("KOVAR_STAND_IN_LOG");
  const std::string log = logVariable && *logVariable ? logVariable : "stand-in-engine.log";
  // Written beside and renamed into place, so that a reader never sees half a record.
  const std::string partial = log + ".partial";
  bool written = false;
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
    out.flush();
    written = static_cast<bool>(out);
  }
  std::remove(log.c_str());
  if (!written || std::rename(partial.c_str(), log.c_str()) != 0) {
    std::cerr << "Stand-in engine: could not write " << log << "\n";
  }

  std::cout << "Stand-in engine\n";
  std::cout << "Working directory: " << lines[0] << "\n";
  std::cout << "Started as: " << lines[1] << "\n";
  for (std::size_t i = 2; i < lines.size(); ++i) {
    std::cout << "Argument " << i - 1 << ": [" << lines[i] << "]\n";
  }
  std::cout << "Recorded in " << log << "\n";
  const char* noWait = std::getenv("KOVAR_STAND_IN_NO_WAIT");
  if (isatty(0) && isatty(1) && !(noWait && *noWait)) {
    std::cout << "Press Enter to close." << std::endl;
    std::string ignored;
    std::getline(std::cin, ignored);
  }
  return written ? 0 : 1;
}
