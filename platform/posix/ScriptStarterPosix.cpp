// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the launch script on Linux and other POSIX systems: in its own session, in a terminal
// window when a desktop is there to show one.
#include "ScriptStarter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FileSystem.h"

namespace kovar {

namespace {

// The environment variable that keeps the script out of a terminal window (set by the tests).
constexpr const char* kNoTerminalVariable = "KOVAR_NO_TERMINAL";

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// 0 when `path` is a file that the shell could run, otherwise why not, as an errno value.
int RunError(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return EACCES;
  return ::access(path.c_str(), X_OK) == 0 ? 0 : errno;
}

// The program `name` as the shell would find it on PATH, or empty text. A relative folder on PATH
// is taken from `base`, where the shell would be by then (the current folder when empty).
std::string FindProgram(const std::string& name, const std::string& base = {}) {
  const char* pathVariable = std::getenv("PATH");
  const std::string path = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find(':', start);
    std::string dir = path.substr(start, end == std::string::npos ? end : end - start);
    if (dir.empty()) dir = ".";
    if (!base.empty() && dir[0] != '/') dir = base + "/" + dir;
    if (const std::string candidate = dir + "/" + name; RunError(candidate) == 0) return candidate;
    if (end == std::string::npos) return {};
    start = end + 1;
  }
}

// The terminal programs that would show the script, in the order to try them: none when no
// desktop is there to show one, or when the player asked for none.
std::vector<std::string> Terminals() {
  std::vector<std::string> terminals;
  if ((!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) || IsSet(kNoTerminalVariable)) {
    return terminals;
  }
  // Debian's x-terminal-emulator is the desktop's chosen terminal; both take -e as xterm does,
  // with the program and its arguments as separate words.
  for (const char* terminal : {"x-terminal-emulator", "xterm"}) {
    if (std::string program = FindProgram(terminal); !program.empty()) {
      terminals.push_back(std::move(program));
    }
  }
  return terminals;
}

// The command lines to try in turn: the script in each terminal window, and the script on its own
// as the last resort. The shell is given the script's text, with its name for its messages.
std::vector<std::vector<std::string> > ScriptCommands(const std::string& text,
                                                      const std::string& script) {
  std::vector<std::vector<std::string> > commands;
  for (const std::string& terminal : Terminals()) {
    commands.push_back({terminal, "-e", "/bin/sh", "-c", text, script});
  }
  commands.push_back({"/bin/sh", "-c", text, script});
  return commands;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t count = ::write(fd, bytes, size);
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

// Runs in the detached grandchild, between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecDetached(const std::vector<std::vector<char*> >& argvs, int devNull,
                               int report, int maxFd) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int number = 1; number < NSIG; ++number) {
    struct sigaction action;
    if (sigaction(number, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) {
      action.sa_handler = SIG_DFL;
      sigaction(number, &action, nullptr);
    }
  }
  // The game must not read the launcher's terminal, nor keep the launcher's files open.
  if (devNull == STDIN_FILENO) {
    fcntl(devNull, F_SETFD, 0);
  } else {
    dup2(devNull, STDIN_FILENO);
  }
  for (int fd = STDERR_FILENO + 1; fd < maxFd; ++fd) {
    if (fd != report) close(fd);
  }
  int error = ENOENT;
  for (const std::vector<char*>& argv : argvs) {
    execv(argv[0], argv.data());
    error = errno;
  }
  WriteAll(report, &error, sizeof error);
  _exit(127);
}

// The argument vectors of `commands`, pointing into their words.
std::vector<std::vector<char*> > ArgumentVectors(std::vector<std::vector<std::string> >& commands) {
  std::vector<std::vector<char*> > argvs;
  for (std::vector<std::string>& command : commands) {
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(word.data());
    argv.push_back(nullptr);
    argvs.push_back(std::move(argv));
  }
  return argvs;
}

// The errno value the detached child wrote to `fd`, or 0 when the pipe closed without a word once
// the script's program had started.
int ReadReport(int fd) {
  int error = 0;
  std::size_t got = 0;
  char buffer[sizeof error];
  for (;;) {
    const ssize_t count = ::read(fd, buffer + got, sizeof buffer - got);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    got += static_cast<std::size_t>(count);
    if (got == sizeof buffer) break;
  }
  if (got == sizeof buffer) std::memcpy(&error, buffer, sizeof error);
  return error;
}

// Runs the first of `argvs` that starts, detached: a double fork, whose middle child leads a new
// session and ends at once, so the script belongs to no process of the launcher and never
// lingers as its zombie. Everything the children use is made before: between fork and exec only
// async-signal-safe calls are allowed.
Result RunDetached(const std::vector<std::vector<char*> >& argvs) {
  const long openMax = ::sysconf(_SC_OPEN_MAX);
  const int maxFd = openMax > 0 && openMax < 65536 ? static_cast<int>(openMax) : 65536;
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (devNull < 0) return SystemFailure(errno);
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    const int error = errno;
    ::close(devNull);
    return SystemFailure(error);
  }
  const pid_t middle = ::fork();
  if (middle == 0) {
    ::close(report[0]);
    ::setsid();
    const pid_t scriptPid = ::fork();
    if (scriptPid == 0) ExecDetached(argvs, devNull, report[1], maxFd);
    if (scriptPid < 0) {
      const int error = errno;
      WriteAll(report[1], &error, sizeof error);
    }
    _exit(0);
  }
  const int forkError = middle < 0 ? errno : 0;
  ::close(report[1]);
  ::close(devNull);
  if (middle > 0) {
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  const int error = forkError ? forkError : ReadReport(report[0]);
  ::close(report[0]);
  return error ? Result(SystemFailure(error)) : Result::Ok();
}

// 0 when the shell can enter the folder `dir`, otherwise why not, as an errno value.
int EnterError(const std::string& dir) {
  struct stat info;
  if (::stat(dir.c_str(), &info) != 0) return errno;
  if (!S_ISDIR(info.st_mode)) return ENOTDIR;
  return ::access(dir.c_str(), X_OK) == 0 ? 0 : errno;
}

// Why the script would stop before its engine starts, unseen where no terminal shows its
// messages: the Quake directory it cannot enter, or an engine it cannot find or run from there.
Result CheckUnseenLaunch(const ScriptTarget& target) {
  if (IsSet(kNoTerminalVariable) || !Terminals().empty()) return Result::Ok();
  const std::string unseen =
      ". No terminal program (x-terminal-emulator or xterm) is installed to show why the launch "
      "script would stop, so it was not started. ";
  if (const int error = EnterError(target.quakeDir)) {
    return SystemFailure(error).Reworded("the Quake directory \"" + target.quakeDir +
                                         "\" cannot be entered: " + std::strerror(error) + unseen +
                                         "Set it with \"Set Quake Directory\" in the Tools menu");
  }
  const std::string& engine = target.engine;
  const std::string remedy = "Choose another engine in the engine box";
  if (engine.empty()) return Result::Ok();
  if (engine.find('/') == std::string::npos) {
    if (!FindProgram(engine, target.quakeDir).empty()) return Result::Ok();
    // A bare name alone is run from the Quake directory when it is there; one typed with
    // arguments is looked for as the shell looks for a command.
    if (::access((target.quakeDir + "/" + engine).c_str(), F_OK) == 0) {
      return Result::Failure(
          FailureKind::NotFound,
          "the engine \"" + engine + "\" is in the Quake directory \"" + target.quakeDir +
              "\", but typed with arguments it is looked for on the search path "
              "(PATH) only, where it is not" +
              unseen +
              "Type the engine's name alone in the engine box, and its arguments "
              "under Custom Parameters");
    }
    return Result::Failure(FailureKind::NotFound,
                           "the engine \"" + engine + "\" is neither in the Quake directory \"" +
                               target.quakeDir + "\" nor a program on the search path (PATH)" +
                               unseen + remedy);
  }
  const std::string path = engine[0] == '/'                  ? engine
                           : engine.compare(0, 2, "./") == 0 ? target.quakeDir + engine.substr(1)
                                                             : target.quakeDir + "/" + engine;
  if (const int error = RunError(path)) {
    return SystemFailure(error).Reworded(
        "the engine \"" + path + "\" cannot be run: " + std::strerror(error) + unseen + remedy);
  }
  return Result::Ok();
}

}  // namespace

Expected<std::string> ToScriptText(const std::string& text) {
  // The shell reads the script's bytes as they are, the same bytes that name the files.
  return text;
}

Result StartScriptDetached(const std::string& scriptPath, const ScriptTarget& target) {
  if (scriptPath.empty()) return SystemFailure(ENOENT);
  // Handed to the shell as text (the caller's, written through the folder that was checked as the
  // player's own, or read here): a file the shell opened later by its name could have been
  // replaced by then, and a terminal window passes no open file on to the shell it starts. A
  // script that cannot be read is found out here, since a detached one could only fail unseen.
  Expected<std::string> read =
      target.text ? Expected<std::string>(*target.text) : ReadFile(scriptPath, 1024 * 1024);
  if (read.failed()) return read.failure();
  if (Result seen = CheckUnseenLaunch(target); seen.failed()) return seen;
  // A relative path must not be taken for an option of the shell or the terminal.
  const std::string script = scriptPath[0] == '/' ? scriptPath : "./" + scriptPath;
  std::vector<std::vector<std::string> > commands = ScriptCommands(read.value(), script);
  return RunDetached(ArgumentVectors(commands));
}

}  // namespace kovar
