// The engine command line, the launch checks and the two launch script flavours.
#include "GameLaunch.h"

#include <cstddef>

namespace kovar {

namespace {

constexpr std::size_t kMaxLevelName = 64;
constexpr std::size_t kMaxShownLevel = 80;

const char* const kSetQuakeDirHint = "Set it first with \"Set Quake Directory\" in the Tools menu.";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsLevelCharacter(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.' || c == '/';
}

// How a refused byte is named in a message, so that the player can find it in the file.
std::string DescribeByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (c == ' ') return "a space";
  if (byte > 0x20 && byte < 0x7f) {
    return c == '"' ? std::string("the character '\"'")
                    : "the character \"" + std::string(1, c) + "\"";
  }
  static const char digits[] = "0123456789ABCDEF";
  return std::string("the byte 0x") + digits[byte >> 4] + digits[byte & 0xf];
}

// Third-party text as it may safely appear in a message box: short, without control bytes.
std::string Shown(const std::string& text) {
  std::string shown = text.substr(0, kMaxShownLevel);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) c = '?';
  }
  if (text.size() > kMaxShownLevel) shown += "...";
  return shown;
}

bool HasLineBreakOrNul(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

Result CheckQuakeDir(const std::string& quakeDir, ScriptFlavour flavour) {
  if (quakeDir.empty()) {
    return Result::Failure(
        std::string("The game was not started: the Quake directory is not set. ") +
        kSetQuakeDirHint);
  }
  if (quakeDir.size() < 2) {
    return Result::Failure("The game was not started: the Quake directory \"" + quakeDir +
                           "\" is too short to be a Quake directory. " + kSetQuakeDirHint);
  }
  if (flavour == ScriptFlavour::Windows && (!IsAsciiLetter(quakeDir[0]) || quakeDir[1] != ':')) {
    return Result::Failure(
        "The game was not started: the Quake directory \"" + quakeDir +
        "\" does not begin with a drive letter and a colon (such as C:\\Quake). " +
        kSetQuakeDirHint);
  }
  return Result::Ok();
}

// `text` as one word for the POSIX shell, with no character of it interpreted.
std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace

const char* LaunchScriptName(ScriptFlavour flavour) {
  return flavour == ScriptFlavour::Windows ? "run.bat" : "run.sh";
}

std::string EngineCommandLine(const LaunchChoices& choices) {
  std::string line = choices.engine + " ";
  if (!choices.mapSelection.empty()) line += "+map " + choices.mapLevel + " ";
  line += "-game kv ";
  if (!choices.customParams.empty()) line += choices.customParams + " ";
  if (choices.engine == "LucidGL.exe" || choices.engine == "GLQuake.exe") {
    line += "+r_shadows 0 +r_mirroralpha 1";
  }
  return line;
}

Result CheckLevelName(const std::string& level) {
  if (level.empty()) return Result::Ok();
  // Hand-edited info files often end the line with spaces; they are harmless on the command line.
  const std::size_t last = level.find_last_not_of(' ');
  if (last == std::string::npos) return Result::Failure("it consists of spaces only");
  const std::string name = level.substr(0, last + 1);
  if (name.size() > kMaxLevelName) {
    return Result::Failure("it is longer than " + std::to_string(kMaxLevelName) + " characters");
  }
  if (name[0] == '-' || name[0] == '+')
    return Result::Failure("it begins with \"" + name.substr(0, 1) + "\"");
  for (char c : name) {
    if (!IsLevelCharacter(c)) return Result::Failure("it holds " + DescribeByte(c));
  }
  if (name.find("..") != std::string::npos) return Result::Failure("it holds \"..\"");
  return Result::Ok();
}

Result CheckLaunch(const LaunchChoices& choices, ScriptFlavour flavour) {
  if (Result dir = CheckQuakeDir(choices.quakeDir, flavour); dir.failed()) return dir;
  // A line break would add a line of its own to the launch script.
  const struct {
    const char* name;
    const std::string& value;
  } values[] = {{"engine", choices.engine},
                {"custom parameters", choices.customParams},
                {"Quake directory", choices.quakeDir}};
  for (const auto& value : values) {
    if (HasLineBreakOrNul(value.value)) {
      return Result::Failure(
          std::string("The game was not started: the ") + value.name +
          " text holds a line break or a NUL character, which the launch script cannot hold.");
    }
  }
  if (choices.mapSelection.empty()) return Result::Ok();
  if (choices.mapLoadFailed) {
    return Result::Failure(
        "The game was not started: the map \"" + choices.mapSelection +
        "\" could not be loaded, so its level is not known. Select a map that loads.");
  }
  if (Result level = CheckLevelName(choices.mapLevel); level.failed()) {
    return Result::Failure(
        "The game was not started: the map \"" + choices.mapSelection + "\" has the level name \"" +
        Shown(choices.mapLevel) + "\", which is not a plain level name: " + level.reason() +
        ". Only level names of letters, digits and _ - . / are passed to the game.");
  }
  return Result::Ok();
}

std::string WindowsLaunchScript(const LaunchChoices& choices) {
  return choices.quakeDir.substr(0, 2) + "\r\ncd" + choices.quakeDir.substr(2) + "\r\n" +
         EngineCommandLine(choices) + "\r\n";
}

std::string LinuxLaunchScript(const LaunchChoices& choices, bool engineInQuakeDir) {
  const std::string dir = ShellQuoted(choices.quakeDir);
  // The shell names the directory and the reason; the terminal stays open a moment to show it.
  return "#!/bin/sh\ncd -- " + dir + " || { printf '%s\\n' " +
         "'Kovar Launcher could not enter the Quake directory:' " + dir +
         " 'Set it with \"Set Quake Directory\" in the Tools menu.' >&2; " +
         "[ -t 0 ] && sleep 15; exit 1; }\n" + (engineInQuakeDir ? "./" : "") +
         EngineCommandLine(choices) + "\n";
}

bool IsBareFileName(const std::string& engine) {
  return !engine.empty() && engine != "." && engine != ".." &&
         engine.find('/') == std::string::npos;
}

}  // namespace kovar
