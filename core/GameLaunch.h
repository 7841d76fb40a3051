// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The engine command line and the two launch script flavours, as pure functions of the player's
// choices, so that both flavours are built and checked on every platform.
#pragma once

#include <string>

#include "Environment.h"
#include "Result.h"

namespace kovar {

// The launcher state's values that a launch is made of.
struct LaunchChoices {
  std::string engine;
  std::string mapSelection;
  std::string mapLevel;
  std::string customParams;
  std::string quakeDir;
  // The selected map's last load failed, so its level is not known.
  bool mapLoadFailed = false;
};

// A launch script is written for the shell of one system: NativeSystem()'s when it is run.
using ScriptFlavour = System;

// The launch script's file name in the application directory: "run.bat" or "run.sh".
const char* LaunchScriptName(ScriptFlavour flavour);

// The engine command line, byte for byte: the engine and a space; "+map ", the level and a space
// when a map is selected; "-game kv "; the custom parameters and a space when there are any; the
// OpenGL settings for exactly the names of the OpenGL engines the engine box offers.
std::string EngineCommandLine(const LaunchChoices& choices);

// Succeeds when `level` is a plain level name that may reach a shell; otherwise says why not.
Result CheckLevelName(const std::string& level);

// Succeeds when the launch may go ahead; otherwise its failure is the message that refuses it.
// The scripts below are only written for choices that pass this check.
Result CheckLaunch(const LaunchChoices& choices, ScriptFlavour flavour);

// run.bat: the drive line, the directory line and the command line, each ended by CR LF. The
// directory line is "cd" and the directory from its third character on, or, when the directory
// holds a character that the command interpreter acts on or a "/", the whole directory quoted for
// a batch file. The text stays in the code page it is given in.
std::string WindowsLaunchScript(const LaunchChoices& choices);

// run.sh: the shebang, a quoted cd into the Quake directory that ends the script with a message
// when it fails, the command line, and a line that, when the engine failed and the script has a
// terminal, tells its status and waits for Enter; the script ends with the engine's status.
// `engineInQuakeDir` tells that the engine text is a bare file name of a file in the Quake
// directory: it is then run from there as "./" and the name.
std::string LinuxLaunchScript(const LaunchChoices& choices, bool engineInQuakeDir);

// The program run.sh's engine line runs, as its shell finds it: "./" and the engine for one in the
// Quake directory, otherwise the engine text's first word. Empty when that word holds a character
// the shell would expand or act on, so that only the shell can tell.
std::string LinuxEngineProgram(const LaunchChoices& choices, bool engineInQuakeDir);

// True when the engine text has no directory part, so the caller should look for it in the
// Quake directory.
bool IsBareFileName(const std::string& engine);

}  // namespace kovar
