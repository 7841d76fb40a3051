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

// The program `name` as the shell would find it on PATH, or empty text.
std::string FindProgram(const std::string& name) {
  const char* pathVariable = std::getenv("PATH");
  const std::string path = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find(':', start);
    std::string dir = path.substr(start, end == std::string::npos ? end : end - start);
    if (dir.empty()) dir = ".";
    const std::string candidate = dir + "/" + name;
    struct stat info;
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    if (end == std::string::npos) return {};
    start = end + 1;
  }
}

// The command lines to try in turn: the script in a terminal window when a desktop is there to
// show one, and the script on its own as the last resort. The shell is given the script's text,
// with its name for its messages.
std::vector<std::vector<std::string> > ScriptCommands(const std::string& text,
                                                      const std::string& script) {
  std::vector<std::vector<std::string> > commands;
  const bool desktop = IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
  if (desktop && !IsSet(kNoTerminalVariable)) {
    // Debian's x-terminal-emulator is the desktop's chosen terminal; both take -e as xterm does,
    // with the program and its arguments as separate words.
    for (const char* terminal : {"x-terminal-emulator", "xterm"}) {
      if (std::string program = FindProgram(terminal); !program.empty()) {
        commands.push_back({program, "-e", "/bin/sh", "-c", text, script});
      }
    }
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

}  // namespace

Expected<std::string> ToScriptText(const std::string& text) {
  // The shell reads the script's bytes as they are, the same bytes that name the files.
  return text;
}

Result StartScriptDetached(const std::string& scriptPath) {
  if (scriptPath.empty()) return Result::Failure(std::strerror(ENOENT));
  // Read here, where it is read through the folder that was checked as the player's own, and
  // handed to the shell as text: a file the shell opened later by its name could have been
  // replaced by then, and a terminal window passes no open file on to the shell it starts. A
  // script that cannot be read is found out here, since a detached one could only fail unseen.
  Expected<std::string> read = ReadFile(scriptPath, 1024 * 1024);
  if (read.failed()) return read.failure();
  const std::string& text = read.value();
  // A relative path must not be taken for an option of the shell or the terminal.
  const std::string script = scriptPath[0] == '/' ? scriptPath : "./" + scriptPath;

  // Everything the children need is made before forking: between fork and exec only
  // async-signal-safe calls are allowed.
  std::vector<std::vector<std::string> > commands = ScriptCommands(text, script);
  std::vector<std::vector<char*> > argvs;
  for (std::vector<std::string>& command : commands) {
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(word.data());
    argv.push_back(nullptr);
    argvs.push_back(std::move(argv));
  }
  const long openMax = ::sysconf(_SC_OPEN_MAX);
  const int maxFd = openMax > 0 && openMax < 65536 ? static_cast<int>(openMax) : 65536;

  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (devNull < 0) return Result::Failure(std::strerror(errno));
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    const int error = errno;
    ::close(devNull);
    return Result::Failure(std::strerror(error));
  }

  // Double fork: the middle child leads a new session and ends at once, so the script belongs to
  // no process of the launcher and never lingers as its zombie.
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
  // The pipe closes without a word once the script's program has started.
  int error = forkError;
  if (error == 0) {
    std::size_t got = 0;
    char buffer[sizeof error];
    for (;;) {
      const ssize_t count = ::read(report[0], buffer + got, sizeof buffer - got);
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) break;
      got += static_cast<std::size_t>(count);
      if (got == sizeof buffer) break;
    }
    if (got == sizeof buffer) std::memcpy(&error, buffer, sizeof error);
  }
  ::close(report[0]);
  return error ? Result::Failure(std::strerror(error)) : Result::Ok();
}

}  // namespace kovar
