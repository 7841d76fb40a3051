// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a script detached: it returns at once, the script runs in its own session, and a
// terminal window is used only when a desktop is there to show one.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "E2ESupport.h"
#include "ScriptStarter.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

using Lines = std::vector<std::string>;

TEST(StartScriptDetached, ReturnsAtOnceAndTheScriptRunsInItsOwnSession) {
  ScopedEnv noTerminal("KOVAR_NO_TERMINAL", "1");
  TempDir d;
  // The script waits for a file the test makes only after the call has returned: a starter that
  // waited for the script would leave it to give up.
  d.Write("run.sh",
          "#!/bin/sh\n"
          "d='" +
              d.Path() +
              "'\n"
              "i=0\n"
              "while [ ! -e \"$d/go\" ] && [ $i -lt 500 ]; do sleep 0.02; i=$((i+1)); done\n"
              "if [ -e \"$d/go\" ]; then echo waited; else echo gave up; fi > \"$d/result.tmp\"\n"
              "cut -d' ' -f6 /proc/$$/stat >> \"$d/result.tmp\"\n"
              "readlink /proc/$$/fd/0 >> \"$d/result.tmp\"\n"
              "mv \"$d/result.tmp\" \"$d/result\"\n");
  EXPECT_TRUE(StartScriptDetached(d.File("run.sh"), {d.Path(), {}}).ok());
  d.Write("go", "");
  ASSERT_TRUE(WaitForFile(d.File("result")));
  const Lines result = ReadLines(d.File("result"));
  ASSERT_EQ(result.size(), 3u);
  EXPECT_EQ(result[0], "waited");
  EXPECT_NE(result[1], std::to_string(::getsid(0)));
  EXPECT_EQ(result[2], "/dev/null");
}

TEST(StartScriptDetached, ReportsAScriptThatIsNotThere) {
  TempDir d;
  for (const std::string& script : {d.File("missing.sh"), std::string()}) {
    const Result started = StartScriptDetached(script, {});
    ASSERT_TRUE(started.failed()) << script;
    EXPECT_EQ(started.failure().kind(), FailureKind::NotFound) << script;
    EXPECT_EQ(started.failure().code(), std::errc::no_such_file_or_directory) << script;
  }
}

// A fake terminal that records how it was called and runs the command after -e.
struct TerminalTest : ::testing::Test {
  TerminalTest() {
    d.Write("run.sh", "#!/bin/sh\necho ran > '" + d.File("ran") + "'\n");
    const std::string fake =
        "#!/bin/sh\nPATH=/usr/bin:/bin\nexport PATH\nprintf '%s\\n' "
        "\"${0##*/}\" \"$@\" > '" +
        d.File("terminal.tmp") + "'\nmv '" + d.File("terminal.tmp") + "' '" + d.File("terminal") +
        "'\nshift\nexec \"$@\"\n";
    for (const char* name : {"bin/x-terminal-emulator", "bin/xterm"}) {
      d.Write(name, fake);
      std::filesystem::permissions(d.File(name), std::filesystem::perms::owner_all);
    }
  }
  // Starts the script and tells which terminal ran it, or "none".
  std::string Start() {
    std::filesystem::remove(d.File("terminal"));
    std::filesystem::remove(d.File("ran"));
    EXPECT_TRUE(StartScriptDetached(d.File("run.sh"), {d.Path(), {}}).ok());
    EXPECT_TRUE(WaitForFile(d.File("ran")));
    if (!std::filesystem::exists(d.File("terminal"))) return "none";
    const Lines call = ReadLines(d.File("terminal"));
    // The shell gets the script's text, as read when it was started (one word, which the fake
    // prints a line at a time), and its name.
    EXPECT_EQ(call, (Lines{call.empty() ? "" : call[0], "-e", "/bin/sh", "-c", "#!/bin/sh",
                           "echo ran > '" + d.File("ran") + "'", "", d.File("run.sh")}));
    return call.empty() ? "" : call[0];
  }

  TempDir d;
  // Only the fakes can be found, so no real terminal opens whatever happens.
  ScopedEnv path{"PATH", d.File("bin")};
  ScopedEnv display{"DISPLAY", ":97"};
  ScopedEnv wayland{"WAYLAND_DISPLAY", std::nullopt};
  ScopedEnv noTerminal{"KOVAR_NO_TERMINAL", std::nullopt};
};

TEST_F(TerminalTest, PrefersTheDesktopsTerminalThenXterm) {
  EXPECT_EQ(Start(), "x-terminal-emulator");
  std::filesystem::remove(d.File("bin/x-terminal-emulator"));
  EXPECT_EQ(Start(), "xterm");
  std::filesystem::remove(d.File("bin/xterm"));
  EXPECT_EQ(Start(), "none");
}

TEST_F(TerminalTest, RunsWithoutOneWhenThereIsNoDesktopOrWhenAskedTo) {
  {
    ScopedEnv noDisplay("DISPLAY", std::nullopt);
    EXPECT_EQ(Start(), "none");
    ScopedEnv waylandOnly("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_EQ(Start(), "x-terminal-emulator");
  }
  ScopedEnv asked("KOVAR_NO_TERMINAL", "1");
  EXPECT_EQ(Start(), "none");
}

}  // namespace
}  // namespace kovar::test
