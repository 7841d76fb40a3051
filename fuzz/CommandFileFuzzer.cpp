// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes start-up: command files that execute each other, and the map info files and preview
// that their `map` lines load, all cut from one input; then checks the launch scripts that the
// resulting choices would give.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>
#include <unistd.h>

#include "GameLaunch.h"
#include "Launcher.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

// The input is cut at each separator into these files, in this order; a file with no part of
// the input does not exist. fuzz/command_files.dict holds the words that reach them.
constexpr std::string_view kSeparator = "\n=====\n";
constexpr const char* kFiles[] = {"auto.kvx",   "a.kvx",      "b.kvx",     "c.kvx",
                                  "data/m.kvx", "data/n.kvx", "data/m.bmp"};

// One application directory for the whole run, emptied of the last input's files each time.
class AppDir {
 public:
  AppDir()
      : path_(fs::temp_directory_path() /
              ("kovar-fuzz-" + std::to_string(std::random_device{}()))) {
    fs::remove_all(path_);
    fs::create_directories(path_ / "data");
  }
  ~AppDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  AppDir(const AppDir&) = delete;
  AppDir& operator=(const AppDir&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

std::size_t Count(const std::string& text, char c) {
  std::size_t count = 0;
  for (char each : text) count += each == c;
  return count;
}

// What the shell makes of a word of single-quoted parts joined by \' as the Linux script
// writes it; the rest of the text is left in `rest`.
std::string Unquote(const std::string& text, std::string& rest) {
  std::string word;
  std::size_t at = 0;
  while (at < text.size() && text[at] != ' ') {
    if (text.compare(at, 2, "\\'") == 0) {
      word += '\'';
      at += 2;
    } else if (text[at] == '\'') {
      const std::size_t close = text.find('\'', at + 1);
      Require(close != std::string::npos, "run.sh holds an unclosed quote");
      word += text.substr(at + 1, close - at - 1);
      at = close + 1;
    } else {
      Require(false, "run.sh holds an unquoted character in the Quake directory");
    }
  }
  rest = text.substr(at);
  return word;
}

// The lines of `text`, each ended by `end`; text after the last ending is no line.
std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, next; (next = text.find(end, at)) != std::string::npos;
       at = next + end.size()) {
    lines.push_back(text.substr(at, next - at));
  }
  return lines;
}

// The directory that the command interpreter enters on run.bat's cd line.
std::string EnteredByCmd(const std::string& cdLine, const std::string& drive) {
  if (cdLine.compare(0, 4, "cd \"") != 0) {
    Require(cdLine.find_first_of("&|<>^()%") == std::string::npos,
            "run.bat's unquoted cd line holds a character that the interpreter acts on");
    return drive + cdLine.substr(2);
  }
  Require(cdLine.size() >= 5 && cdLine.back() == '"', "run.bat's cd line does not end its quote");
  const std::string quoted = cdLine.substr(4, cdLine.size() - 5);
  Require(quoted.find('"') == std::string::npos, "run.bat's quoted cd line holds a quote");
  std::string dir;
  for (std::size_t at = 0; at < quoted.size(); ++at) {
    dir += quoted[at];
    if (quoted[at] != '%') continue;
    Require(at + 1 < quoted.size() && quoted[at + 1] == '%', "run.bat holds a lone %");
    ++at;
  }
  return dir;
}

// A script written for choices that were not refused has its lines and nothing more: it enters
// exactly the Quake directory and runs exactly the engine command line.
void CheckLaunchScripts(const kovar::LaunchChoices& choices) {
  using kovar::ScriptFlavour;
  const std::string engineLine = kovar::EngineCommandLine(choices);
  if (kovar::CheckLaunch(choices, ScriptFlavour::Windows).ok()) {
    const std::string bat = kovar::WindowsLaunchScript(choices);
    const std::vector<std::string> lines = Lines(bat, "\r\n");
    Require(lines.size() == 3 && Count(bat, '\n') == 3 && Count(bat, '\r') == 3,
            "run.bat is not three lines");
    const std::string drive = choices.quakeDir.substr(0, 2);
    Require(lines[0] == drive, "run.bat's first line is not the drive");
    Require(EnteredByCmd(lines[1], drive) == choices.quakeDir,
            "run.bat enters another directory than the Quake directory");
    Require(lines[2] == engineLine, "run.bat's last line is not the engine command line");
  }
  if (kovar::CheckLaunch(choices, ScriptFlavour::Linux).ok()) {
    // The line after the engine's reads its status, whatever the choices.
    static const std::string statusLine =
        Lines(kovar::LinuxLaunchScript({"quake", "", "", "", "/q"}, false), "\n").back();
    for (bool local : {false, true}) {
      const std::string sh = kovar::LinuxLaunchScript(choices, local);
      const std::vector<std::string> lines = Lines(sh, "\n");
      Require(lines.size() == 4 && Count(sh, '\n') == 4, "run.sh is not four lines");
      Require(lines[0] == "#!/bin/sh", "run.sh does not begin with its shebang");
      const std::string cd = "cd -- ";
      Require(lines[1].compare(0, cd.size(), cd) == 0, "run.sh has no cd line after its shebang");
      std::string rest;
      Require(Unquote(lines[1].substr(cd.size()), rest) == choices.quakeDir,
              "run.sh enters another directory than the Quake directory");
      Require(rest.compare(0, 4, " || ") == 0, "run.sh goes on after the cd fails");
      Require(lines[2] == (local ? "./" : "") + engineLine,
              "run.sh's third line is not the engine command line");
      Require(lines[3] == statusLine, "run.sh's last line depends on the choices");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const AppDir dir;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t begin = 0;
  for (const char* name : kFiles) {
    const fs::path file = dir.Path() / name;
    if (begin > input.size()) {
      std::error_code ignored;
      fs::remove(file, ignored);
      continue;
    }
    std::size_t end = input.find(kSeparator, begin);
    if (end == std::string_view::npos) end = input.size();
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(input.data() + begin, static_cast<std::streamsize>(end - begin));
    begin = end + kSeparator.size();
  }

  kovar::test::QuietDesktop desktop;
  kovar::Launcher launcher(dir.Path().string(), desktop);
  // Whatever failed was told to the quiet platform; the choices that result are checked below.
  (void)launcher.Main();
  (void)launcher.LoadMap();
  const kovar::LauncherState& state = launcher.State();
  using kovar::TextField;
  CheckLaunchScripts({state.Text(TextField::EngineText), state.Text(TextField::MapSelection),
                      state.Map().level, state.Text(TextField::CustomParams),
                      state.Text(TextField::QuakeDir), state.Map().failure.has_value()});
  return 0;
}
