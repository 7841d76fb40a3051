// Starting the launch script on Windows: the command interpreter in a new console window.
#include "ScriptStarter.h"

#include <windows.h>

#include <cstring>

#include "WindowsError.h"

namespace kovar {

Result StartScriptDetached(const std::string& scriptPath) {
  char systemDir[MAX_PATH];
  const UINT length = GetSystemDirectoryA(systemDir, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return Result::Failure(LastWindowsError());
  std::string interpreter = std::string(systemDir, length) + "\\cmd.exe";
  // The console stays open when the script fails, so that the player can read why.
  std::string commandLine = WindowsScriptCommandLine(scriptPath);
  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process;
  std::memset(&process, 0, sizeof process);
  if (!CreateProcessA(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process)) {
    return Result::Failure(LastWindowsError());
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return Result::Ok();
}

}  // namespace kovar
