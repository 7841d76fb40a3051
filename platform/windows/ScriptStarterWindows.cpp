// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the launch script on Windows: the command interpreter in a new console window, and the
// script's text in the code page that interpreter reads it in.
#include "ScriptStarter.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "WindowsError.h"

namespace kovar {

namespace {

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// How a character is named to the player: itself, where a message box can show it, and its code.
std::string DescribeCharacter(const wchar_t* character, int length) {
  unsigned code = static_cast<unsigned>(character[0]);
  if (length == 2) code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00u);
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", code);
  const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
  char shown[8];
  const int count = control ? 0
                            : WideCharToMultiByte(CP_ACP, 0, character, length, shown, sizeof shown,
                                                  nullptr, nullptr);
  if (count <= 0) return std::string("the character ") + hex;
  return "the character \"" + std::string(shown, static_cast<std::size_t>(count)) + "\" (" + hex +
         ")";
}

}  // namespace

Expected<std::string> ToScriptText(const std::string& text) {
  const UINT ansi = GetACP();
  // A new console starts in the OEM code page, and the interpreter reads the batch file in its
  // console's code page.
  const UINT console = GetOEMCP();
  if (IsAscii(text) || console == ansi) return text;
  if (text.size() > INT_MAX)
    return Failure(FailureKind::TooLarge, "more text than a launch script can hold");
  const int size = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  const int wideSize =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), size);
  if (wideSize <= 0) {
    return Failure(FailureKind::Malformed,
                   "bytes that are no text in the ANSI code page " + std::to_string(ansi));
  }
  // Without best fit, a character the console lacks is never swapped for a look-alike, such as
  // a curly quote for the quote that would end the script's quoted directory.
  const bool utf8 = console == CP_UTF8;
  std::string scriptText;
  for (int at = 0; at < wideSize;) {
    const int length =
        IS_HIGH_SURROGATE(wide[at]) && at + 1 < wideSize && IS_LOW_SURROGATE(wide[at + 1]) ? 2 : 1;
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int count =
        WideCharToMultiByte(console, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide.data() + at, length,
                            bytes, sizeof bytes, nullptr, utf8 ? nullptr : &usedDefault);
    if (count <= 0 || usedDefault) {
      return Failure(FailureKind::Refused,
                     DescribeCharacter(wide.data() + at, length) +
                         ", which the console's code page " + std::to_string(console) +
                         " does not have, so the command interpreter cannot read it");
    }
    scriptText.append(bytes, static_cast<std::size_t>(count));
    at += length;
  }
  return scriptText;
}

// The command interpreter's console shows a failure of the script and waits, wherever it stops.
Result StartScriptDetached(const std::string& scriptPath, const ScriptTarget&) {
  char systemDir[MAX_PATH];
  const UINT length = GetSystemDirectoryA(systemDir, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return LastWindowsFailure();
  std::string interpreter = std::string(systemDir, length) + "\\cmd.exe";
  // The console stays open when the script fails, so that the player can read why. The script
  // runs by its bare name from its own folder: the interpreter would expand any %NAME% of a set
  // variable in a folder's name on its command line, even inside quotes.
  const std::size_t slash = scriptPath.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "" : scriptPath.substr(0, slash + 1);
  std::string commandLine = WindowsScriptCommandLine(".\\" + scriptPath.substr(folder.size()));
  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process;
  std::memset(&process, 0, sizeof process);
  if (!CreateProcessA(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE, nullptr, folder.empty() ? nullptr : folder.c_str(),
                      &startup, &process)) {
    return LastWindowsFailure();
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return Result::Ok();
}

}  // namespace kovar
