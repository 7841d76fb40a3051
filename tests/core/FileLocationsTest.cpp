// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's own files in a per-user folder when the application directory cannot be written:
// the folder's name, the one-time probe, where `exec` reads from, where saves and the launch
// script go, and failures to make the folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "FileLocations.h"
#include "GameLaunch.h"
#include "LineReader.h"
#include "FileSystem.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;

TEST(UserFolder, FollowsTheEnvironmentOfEachSystem) {
  const struct {
    UserEnvironment environment;
    std::string linux;
    std::string windows;
  } cases[] = {
      {{"/x/cfg", "/home/p", "/home/pw", ""}, "/x/cfg/kovar-launcher", ""},
      {{"/x/cfg//", "/home/p", "", ""}, "/x/cfg/kovar-launcher", ""},
      {{"", "/home/p", "/home/pw", ""}, "/home/p/.config/kovar-launcher", ""},
      {{"relative/cfg", "/home/p/", "", ""}, "/home/p/.config/kovar-launcher", ""},
      {{"", "", "/home/pw", ""}, "/home/pw/.config/kovar-launcher", ""},
      {{"", "relative", "/home/pw", ""}, "/home/pw/.config/kovar-launcher", ""},
      {{"", "/", "", ""}, "/.config/kovar-launcher", ""},
      {{"", "", "", ""}, "", ""},
      {{"", "", "", "C:\\Users\\P\\AppData\\Roaming"},
       "",
       "C:\\Users\\P\\AppData\\Roaming\\Kovar Launcher"},
      {{"", "", "", "D:\\Profiles\\\\"}, "", "D:\\Profiles\\Kovar Launcher"},
  };
  for (const auto& c : cases) {
    const UserEnvironment& e = c.environment;
    const std::string row = e.xdgConfigHome + "|" + e.home + "|" + e.passwordHome + "|" + e.appData;
    EXPECT_EQ(LinuxUserFolder(e), c.linux) << row;
    EXPECT_EQ(WindowsUserFolder(e), c.windows) << row;
  }
}

TEST(UserFolder, ARefusalTellsWhoCouldChangeItAndHowToFixIt) {
  using Kind = Distrust::Kind;
  using Share = Distrust::Share;
  const auto verdict = [](Kind kind, bool onTheWay, std::string who, Share share = Share::NotOwn,
                          std::string detail = {}) {
    Distrust v;
    v.kind = kind;
    v.subject = "/home/p/cfg";
    v.onTheWay = onTheWay;
    v.who = std::move(who);
    v.player = "p";
    v.mode = 0775;
    v.share = share;
    v.account = "q";
    v.detail = std::move(detail);
    return v;
  };
  const struct {
    Distrust verdict;
    const char* words;
  } cases[] = {
      {verdict(Kind::Owner, false, "q"),
       "it belongs to the user q, not to p or root; to fix it, remove it, or have its owner give "
       "it to you"},
      {verdict(Kind::Owner, true, "q"),
       "the folder \"/home/p/cfg\" on the way to it belongs to the user q, not to p or root; to "
       "fix it, have its owner give it to you"},
      {verdict(Kind::EveryUser, false, ""),
       "every user can write to it (mode 0775); to fix it, take their write permission away "
       "(chmod go-w \"/home/p/cfg\")"},
      {verdict(Kind::AclUnreadable, true, "", Share::NotOwn, "Permission denied"),
       "the access control list of the folder \"/home/p/cfg\" on the way to it cannot be read: "
       "Permission denied"},
      {verdict(Kind::AclUser, false, "q"),
       "the user q can write to it by its access control list; to fix it, remove that entry "
       "(setfacl -x u:q \"/home/p/cfg\")"},
      {verdict(Kind::AclGroup, false, "games"),
       "the group games can write to it by its access control list (it is not your own group); "
       "to fix it, remove that entry (setfacl -x g:games \"/home/p/cfg\")"},
      {verdict(Kind::Group, false, "p", Share::PrimaryOf),
       "the group p can write to it (mode 0775), and the account q has it as its primary group; "
       "to fix it, take the group's write permission away (chmod g-w \"/home/p/cfg\")"},
      {verdict(Kind::Group, false, "p", Share::MemberOf),
       "the group p can write to it (mode 0775), and q is a member of it; to fix it, take the "
       "group's write permission away (chmod g-w \"/home/p/cfg\")"},
      {verdict(Kind::LinkOwner, true, "q"),
       "the symbolic link \"/home/p/cfg\" on the way to it belongs to the user q; to fix it, "
       "replace it by a link of your own"},
      {verdict(Kind::Link, false, ""),
       "it is a symbolic link, which may lead anywhere; to fix it, replace the link by a folder "
       "of your own"},
      {verdict(Kind::NotFolder, false, ""), "it is not a folder; to fix it, move that file away"},
      {verdict(Kind::Unreachable, false, "", Share::NotOwn, "Input/output error"),
       "it cannot be looked at: Input/output error"},
  };
  for (const auto& c : cases) EXPECT_EQ(DistrustWords(c.verdict), c.words);
}

TEST(UserFolder, IsUsedOnlyWhenTheApplicationDirectoryCannotBeWritten) {
  TempDir home;
  UserEnvironment environment;
  environment.xdgConfigHome = home.File("config");
  environment.appData = home.Path();
  const std::string userDir = NativeUserFolder(environment);
  ASSERT_FALSE(userDir.empty());

  TempDir writable;
  const FileLocations portable =
      FileLocations::Choose(writable.Path(), environment, InstallLayout::Portable);
  EXPECT_FALSE(portable.PerUser());
  EXPECT_EQ(portable.OwnFile("config.kvx").path, writable.File("config.kvx"));
  EXPECT_TRUE(fs::is_empty(writable.Path())) << "the probe file was left behind";

  const FileLocations missing =
      FileLocations::Choose(writable.File("missing"), environment, InstallLayout::Portable);
  EXPECT_TRUE(missing.PerUser());
  EXPECT_EQ(missing.OwnFile("config.kvx").path, JoinPath(userDir, "config.kvx"));

  if (!PermissionsApply()) GTEST_SKIP() << "file permissions do not apply to this user";
  fs::permissions(writable.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  const FileLocations readOnly =
      FileLocations::Choose(writable.Path(), environment, InstallLayout::Portable);
  EXPECT_TRUE(readOnly.PerUser());
  EXPECT_EQ(readOnly.UserDir(), userDir);
  EXPECT_FALSE(fs::exists(userDir)) << "the folder is made only when something is written";
}

// A launcher whose application directory holds the installed defaults and whose player's files
// go to a per-user folder below a home that does not yet hold it.
struct PerUser {
  PerUser() {
    app.Write("auto.kvx", "exec settings.kvx\r\nexec config.kvx\r\n");
    app.Write("settings.kvx", "frun True\r\nquakedir \r\n");
    app.Write("config.kvx", "exe LucidGL.exe\r\nmap castle\r\ncpar \r\n");
    app.Write("data/castle.kvx", "e1m1\r\nA castle.\r\n");
    app.Write("data/castle.bmp", MakeBmp(4, 4));
  }
  // What the application directory holds: names and bytes.
  std::set<std::string> AppFiles() const {
    std::set<std::string> listing;
    for (const auto& entry : fs::recursive_directory_iterator(app.Path())) {
      listing.insert(entry.path().string() + "=" +
                     (entry.is_regular_file()
                          ? app.Read(fs::relative(entry.path(), app.Path()).generic_string())
                          : std::string("(folder)")));
    }
    return listing;
  }

  // Checked and opened when made, as at a start.
  FileLocations Files() const { return {app.Path(), userDir}; }

  TempDir app;
  TempDir home;
  std::string userDir = home.File(".config/kovar-launcher");
};

TEST(UserFolder, ExecReadsThePlayersFileFirstAtAnyDepth) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> own;  // relative name, bytes ("/" a folder)
    std::string engine;
    std::string params;
    std::string failure;  // a fragment of the error shown, or empty for none
  } cases[] = {
      {"none of the player's", {}, "app-first", "app-second", ""},
      {"the player's nested file",
       {{"second.kvx", "cpar own-second\r\n"}},
       "app-first",
       "own-second",
       ""},
      {"the player's start script", {{"auto.kvx", "exe own-auto\r\n"}}, "own-auto", "", ""},
      {"the player's file in a subfolder",
       {{"more/third.kvx", "exe own-third\r\n"}},
       "own-third",
       "app-second",
       ""},
      {"the player's unreadable file", {{"second.kvx", "/"}}, "app-first", "", "second.kvx"},
  };
  for (const auto& c : cases) {
    PerUser p;
    p.app.Write("auto.kvx", "exec first.kvx\r\n");
    p.app.Write("first.kvx", "exe app-first\r\nexec second.kvx\r\nexec more/third.kvx\r\n");
    p.app.Write("second.kvx", "cpar app-second\r\n");
    p.app.Write("more/third.kvx", "# nothing\r\n");
    TempDir user;
    for (const auto& [name, bytes] : c.own) {
      if (bytes == "/") {
        fs::create_directories(user.File(name));
      } else {
        user.Write(name, bytes);
      }
    }
    FakeDesktop desktop;
    Launcher launcher(FileLocations(p.app.Path(), user.Path()), desktop);
    EXPECT_TRUE(launcher.Main().ok()) << c.name;
    EXPECT_EQ(launcher.State().Text(TextField::EngineText), c.engine) << c.name;
    EXPECT_EQ(launcher.State().Text(TextField::CustomParams), c.params) << c.name;
    if (c.failure.empty()) {
      EXPECT_TRUE(desktop.errors.empty()) << c.name;
    } else {
      ASSERT_EQ(desktop.errors.size(), 1u) << c.name;
      EXPECT_NE(desktop.errors[0].find(user.File(c.failure)), std::string::npos)
          << c.name << ": " << desktop.errors[0];
    }
  }
}

TEST(UserFolder, TheFirstRunsAnswerIsSavedForThePlayerAndReadBack) {
  PerUser p;
  if (PermissionsApply()) {
    fs::permissions(p.app.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const std::set<std::string> before = p.AppFiles();
  {
    FakeDesktop desktop;
    Launcher launcher(p.Files(), desktop);
    desktop.inputAnswer = "/games/quake one";
    EXPECT_TRUE(launcher.Main().ok());
    EXPECT_EQ(desktop.prompts.size(), 1u);
    EXPECT_TRUE(launcher.RunCommand("cpar +skill 3").ok());
    EXPECT_TRUE(launcher.SaveCFG().ok());
    EXPECT_TRUE(desktop.errors.empty()) << desktop.errors.front();
  }
  EXPECT_EQ(p.home.Read(".config/kovar-launcher/config.kvx"),
            "exe LucidGL.exe\r\nmap castle\r\ncpar +skill 3\r\n");
  EXPECT_EQ(p.home.Read(".config/kovar-launcher/settings.kvx"),
            "frun false\r\nquakedir /games/quake one\r\n");
  EXPECT_EQ(p.AppFiles(), before);

  FakeDesktop desktop;
  Launcher again(p.Files(), desktop);
  EXPECT_TRUE(again.Main().ok());
  EXPECT_TRUE(desktop.prompts.empty());
  EXPECT_EQ(again.State().Text(TextField::QuakeDir), "/games/quake one");
  EXPECT_EQ(again.State().Text(TextField::CustomParams), "+skill 3");
}

TEST(UserFolder, AFileThatCouldNotBeReadIsKeptOnlyWhereASaveWouldReplaceIt) {
  // A line too long to read makes a settings file one that was not read whole, for any user.
  const std::string tooLong = "quakedir /" + std::string(kMaxLineBytes + 10, 'q') + "\r\n";
  const struct {
    const char* name;
    bool inUserFolder;
    bool kept;
  } cases[] = {{"the application directory's, not replaced by a save", false, false},
               {"the player's own, which a save would replace", true, true}};
  for (const auto& c : cases) {
    PerUser p;
    if (c.inUserFolder) p.home.Write(".config/kovar-launcher/settings.kvx", tooLong);
    if (!c.inUserFolder) p.app.Write("settings.kvx", tooLong);
    FakeDesktop desktop;
    Launcher launcher(p.Files(), desktop);
    EXPECT_TRUE(launcher.Main().ok()) << c.name;
    desktop.errors.clear();
    EXPECT_EQ(launcher.SaveCFG().failed(), c.kept) << c.name;
    const std::string saved = p.home.Read(".config/kovar-launcher/settings.kvx");
    EXPECT_EQ(saved == tooLong, c.kept) << c.name;
    EXPECT_EQ(desktop.errors.size(), c.kept ? 1u : 0u) << c.name;
    if (!c.inUserFolder) {
      EXPECT_EQ(p.app.Read("settings.kvx"), tooLong) << c.name;
    }
  }
}

TEST(UserFolder, TheLaunchScriptIsWrittenAndStartedThere) {
  PerUser p;
  FakeDesktop desktop;
  Launcher launcher(p.Files(), desktop);
  EXPECT_TRUE(launcher.RunCommand("quakedir " + p.home.Path()).ok());
  EXPECT_TRUE(launcher.RunCommand("map castle").ok());
  const std::set<std::string> before = p.AppFiles();
  const Result started = launcher.StartGame();
  EXPECT_TRUE(started.ok()) << started.reason();
  const std::string script = JoinPath(p.userDir, LaunchScriptName(NativeSystem()));
  EXPECT_EQ(desktop.started, std::vector<std::string>{script});
  EXPECT_NE(p.home.Read(std::string(".config/kovar-launcher/") + LaunchScriptName(NativeSystem()))
                .find("e1m1"),
            std::string::npos);
  EXPECT_EQ(p.AppFiles(), before);
}

TEST(UserFolder, AFolderThatCannotBeMadeIsReportedByEveryWrite) {
  TempDir app;
  TempDir home;
  home.Write("blocked", "a file where a folder should be");
  const struct {
    const char* name;
    std::string userDir;
    std::vector<std::string> named;  // fragments every error names
  } cases[] = {
      {"a file in the way",
       home.File("blocked/kovar-launcher"),
       {home.File("blocked/kovar-launcher"), "could not be created"}},
      {"no home", "", {app.Path(), "no per-user folder"}},
  };
  for (const auto& c : cases) {
    FakeDesktop desktop;
    Launcher launcher(FileLocations(app.Path(), c.userDir), desktop);
    EXPECT_TRUE(launcher.RunCommand("quakedir " + home.Path()).ok());
    EXPECT_TRUE(launcher.SaveCFG().failed()) << c.name;
    EXPECT_TRUE(launcher.StartGame().failed()) << c.name;
    EXPECT_TRUE(desktop.started.empty()) << c.name;
    ASSERT_EQ(desktop.errors.size(), 2u) << c.name;
    for (const std::string& error : desktop.errors) {
      for (const std::string& fragment : c.named) {
        EXPECT_NE(error.find(fragment), std::string::npos) << c.name << ": " << error;
      }
    }
    EXPECT_NE(desktop.errors[0].find("config.kvx"), std::string::npos) << c.name;
    EXPECT_NE(desktop.errors[0].find("settings.kvx"), std::string::npos) << c.name;
    EXPECT_TRUE(fs::is_empty(app.Path())) << c.name;
  }
}

}  // namespace
}  // namespace kovar::test
