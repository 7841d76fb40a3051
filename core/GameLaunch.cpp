// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The engine command line, the launch checks and the two launch script flavours.
#include "GameLaunch.h"

#include <algorithm>
#include <cstddef>

#include "Engines.h"

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

// The characters that the command interpreter acts on in a line of a batch file, and "/", which
// cd reads as the start of one of its switches (in "cd/Data", "/D" is a switch).
constexpr const char* kBatchActiveCharacters = "&|<>^()%/";

bool HasLineBreakOrNul(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

Result CheckQuakeDir(const std::string& quakeDir, ScriptFlavour flavour) {
  if (quakeDir.empty()) {
    return Result::Failure(
        FailureKind::Refused,
        std::string("The game was not started: the Quake directory is not set. ") +
            kSetQuakeDirHint);
  }
  if (quakeDir.size() < 2) {
    return Result::Failure(FailureKind::Refused,
                           "The game was not started: the Quake directory \"" + quakeDir +
                               "\" is too short to be a Quake directory. " + kSetQuakeDirHint);
  }
  if (flavour == ScriptFlavour::Windows && (!IsAsciiLetter(quakeDir[0]) || quakeDir[1] != ':')) {
    return Result::Failure(
        FailureKind::Refused,
        "The game was not started: the Quake directory \"" + quakeDir +
            "\" does not begin with a drive letter and a colon (such as C:\\Quake). " +
            kSetQuakeDirHint);
  }
  if (flavour == ScriptFlavour::Windows && quakeDir.size() > 2 && quakeDir[2] != '\\' &&
      quakeDir[2] != '/') {
    // "C:Quake" would be entered from wherever drive C: happens to stand.
    const std::string drive = quakeDir.substr(0, 2);
    return Result::Failure(FailureKind::Refused,
                           "The game was not started: the Quake directory \"" + quakeDir +
                               "\" is relative to the current directory of drive " + drive +
                               ". Set a full path such as " + drive + "\\" + quakeDir.substr(2) +
                               " with \"Set Quake Directory\" in the Tools menu.");
  }
  if (flavour == ScriptFlavour::Windows && quakeDir.find('"') != std::string::npos) {
    // A quote would end the quoted cd line early and let the rest be read as commands.
    return Result::Failure(
        FailureKind::Refused,
        "The game was not started: the Quake directory \"" + quakeDir +
            "\" holds the character '\"', which no Windows directory name holds. " +
            kSetQuakeDirHint);
  }
  return Result::Ok();
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

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
  if (std::any_of(kEngines.begin(), kEngines.end(), [&choices](const Engine& engine) {
        return engine.openGL && choices.engine == engine.name;
      })) {
    line += "+r_shadows 0 +r_mirroralpha 1";
  }
  return line;
}

Result CheckLevelName(const std::string& level) {
  if (level.empty()) return Result::Ok();
  // Hand-edited info files often end the line with spaces; they are harmless on the command line.
  const std::size_t last = level.find_last_not_of(' ');
  if (last == std::string::npos)
    return Result::Failure(FailureKind::Refused, "it consists of spaces only");
  const std::string name = level.substr(0, last + 1);
  if (name.size() > kMaxLevelName) {
    return Result::Failure(FailureKind::TooLarge,
                           "it is longer than " + std::to_string(kMaxLevelName) + " characters");
  }
  if (name[0] == '-' || name[0] == '+')
    return Result::Failure(FailureKind::Refused, "it begins with \"" + name.substr(0, 1) + "\"");
  for (char c : name) {
    if (!IsLevelCharacter(c))
      return Result::Failure(FailureKind::Refused, "it holds " + DescribeByte(c));
  }
  if (name.find("..") != std::string::npos)
    return Result::Failure(FailureKind::Refused, "it holds \"..\"");
  return Result::Ok();
}

Result CheckLaunch(const LaunchChoices& choices, ScriptFlavour flavour) {
  if (Result dir = CheckQuakeDir(choices.quakeDir, flavour); dir.failed()) return dir;
  if (IsBlank(choices.engine)) {
    // The script would run the first parameter as a program.
    return Result::Failure(
        FailureKind::Refused,
        std::string("The game was not started: no engine is chosen. Choose one in the engine box, "
                    "such as ") +
            kInitialEngine + ".");
  }
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
          FailureKind::Refused,
          std::string("The game was not started: the ") + value.name +
              " text holds a line break or a NUL character, which the launch script cannot hold.");
    }
  }
  if (choices.mapSelection.empty()) return Result::Ok();
  if (choices.mapLoadFailed) {
    return Result::Failure(
        FailureKind::Refused,
        "The game was not started: the map \"" + choices.mapSelection +
            "\" could not be loaded, so its level is not known. Select a map that loads.");
  }
  if (Result level = CheckLevelName(choices.mapLevel); level.failed()) {
    return Result::Failure(
        FailureKind::Refused,
        "The game was not started: the map \"" + choices.mapSelection + "\" has the level name \"" +
            Shown(choices.mapLevel) + "\", which is not a plain level name: " + level.reason() +
            ". Only level names of letters, digits and _ - . / are passed to the game.");
  }
  return Result::Ok();
}

std::string WindowsLaunchScript(const LaunchChoices& choices) {
  const std::string& dir = choices.quakeDir;
  std::string cdLine = "cd" + dir.substr(2);
  if (dir.find_first_of(kBatchActiveCharacters) != std::string::npos) {
    // Quotes keep the interpreter off every such character but %, which a batch file only
    // takes literally when doubled.
    cdLine = "cd \"";
    for (char c : dir) cdLine += c == '%' ? std::string("%%") : std::string(1, c);
    cdLine += '"';
  }
  return dir.substr(0, 2) + "\r\n" + cdLine + "\r\n" + EngineCommandLine(choices) + "\r\n";
}

std::string LinuxLaunchScript(const LaunchChoices& choices, bool engineInQuakeDir) {
  const std::string dir = ShellQuoted(choices.quakeDir);
  // The shell names the directory and the reason. Only a terminal is waited on: it would close
  // before the player could read why the game did not start.
  const std::string cdLine = "cd -- " + dir + " || { printf '%s\\n' " +
                             "'Kovar Launcher could not enter the Quake directory:' " + dir +
                             " 'Set it with \"Set Quake Directory\" in the Tools menu.' >&2; " +
                             "[ -t 0 ] && { echo 'Press Enter to close.' >&2; read -r _; }; " +
                             "exit 1; }\n";
  // The engine line stays as the player would type it, writing to the terminal; the line after
  // it reads its status.
  const std::string engineLine = (engineInQuakeDir ? "./" : "") + EngineCommandLine(choices) + "\n";
  const char* const statusLine =
      "status=$?; if [ $status -ne 0 ] && [ -t 0 ]; then why=; "
      "if [ $status -gt 128 ]; then why=\": it crashed with signal $((status - 128))\"; "
      "elif [ $status -eq 126 ] || [ $status -eq 127 ]; then "
      "why=': it could not be found or started'; fi; "
      "echo \"Kovar Launcher: the engine ended with status $status$why. Press Enter to close.\" "
      ">&2; read -r _; fi; exit $status\n";
  return "#!/bin/sh\n" + cdLine + engineLine + statusLine;
}

std::string LinuxEngineProgram(const LaunchChoices& choices, bool engineInQuakeDir) {
  if (engineInQuakeDir) return "./" + choices.engine;
  const std::size_t start = choices.engine.find_first_not_of(" \t");
  if (start == std::string::npos) return {};
  const std::string word =
      choices.engine.substr(start, choices.engine.find_first_of(" \t", start) - start);
  return word.find_first_of("\"'\\$`*?[~=|&;<>(){}#!") == std::string::npos ? word : "";
}

bool IsBareFileName(const std::string& engine) {
  return !engine.empty() && engine != "." && engine != ".." &&
         engine.find('/') == std::string::npos;
}

}  // namespace kovar
