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

// A script written for choices that were not refused has its three lines and nothing more, and
// its directory reaches the shell as exactly the Quake directory.
void CheckLaunchScripts(const kovar::LaunchChoices& choices) {
  using kovar::ScriptFlavour;
  if (kovar::CheckLaunch(choices, ScriptFlavour::Windows).ok()) {
    const std::string bat = kovar::WindowsLaunchScript(choices);
    Require(Count(bat, '\n') == 3 && Count(bat, '\r') == 3, "run.bat is not three lines");
  }
  if (kovar::CheckLaunch(choices, ScriptFlavour::Linux).ok()) {
    for (bool local : {false, true}) {
      const std::string sh = kovar::LinuxLaunchScript(choices, local);
      Require(Count(sh, '\n') == 3, "run.sh is not three lines");
      const std::string cd = "#!/bin/sh\ncd -- ";
      Require(sh.compare(0, cd.size(), cd) == 0, "run.sh does not begin with its cd line");
      std::string rest;
      Require(Unquote(sh.substr(cd.size()), rest) == choices.quakeDir,
              "run.sh enters another directory than the Quake directory");
      Require(rest.compare(0, 4, " || ") == 0, "run.sh goes on after the cd fails");
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

  kovar::test::QuietPlatform platform;
  kovar::Launcher launcher(dir.Path().string(), platform);
  // Whatever failed was told to the quiet platform; the choices that result are checked below.
  (void)launcher.Main();
  (void)launcher.LoadMap();
  const kovar::LauncherState& state = launcher.State();
  using kovar::TextField;
  CheckLaunchScripts({state.Text(TextField::EngineText), state.Text(TextField::MapSelection),
                      state.Text(TextField::MapLevel), state.Text(TextField::CustomParams),
                      state.Text(TextField::QuakeDir), state.SelectedMapFailed()});
  return 0;
}
