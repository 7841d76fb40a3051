// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the launch script the way each desktop expects, without waiting for it, and gives its
// text the encoding that the desktop's shell reads. One interface; ScriptStarterPosix.cpp and
// ScriptStarterWindows.cpp implement it, chosen by the build.
#pragma once

#include <optional>
#include <string>

#include "Result.h"

namespace kovar {

// What the launch script enters and runs: the Quake directory, and the engine's program as the
// script's shell looks for it ("./NAME" in the Quake directory, a path taken from there, or a name
// looked up on PATH; empty where only the shell can tell).
struct ScriptTarget {
  std::string quakeDir;
  std::string engine;
  // The script's text as it was written to the file, when the caller has it.
  std::optional<std::string> text = std::nullopt;
};

// Starts `scriptPath` detached from the launcher; a failure says why it could not be started. On
// Linux the shell runs `target`'s text, or else the text read from the file here, not the file by
// its name; where no terminal window would show the
// script's messages (a desktop without a terminal program), a script that would stop before its
// engine starts is not started: the failure says which of `target` it could not enter or run, and
// why. KOVAR_NO_TERMINAL keeps the script out of a terminal window and changes nothing else.
Result StartScriptDetached(const std::string& scriptPath, const ScriptTarget& target);

// `text`, in the code page the launcher keeps its text in, as the launch script must hold it for
// the shell to read it back: on Windows in the console's (OEM) code page, the one the command
// interpreter reads a batch file in; elsewhere unchanged. Text of ASCII characters only is always
// unchanged. A failure names the character the shell could not read and why, to follow "the
// text holds".
Expected<std::string> ToScriptText(const std::string& text);

// The command interpreter's command line that runs the batch file `scriptPath` and, when it ends
// with an error level other than 0, says so and waits for a key before its console closes.
std::string WindowsScriptCommandLine(const std::string& scriptPath);

}  // namespace kovar
