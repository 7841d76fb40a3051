// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The two windows' behaviour through a view that records what it is told: what the player would
// see in each control, and what the launcher's files hold afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "DebugBehaviour.h"
#include "Desktop.h"
#include "LauncherProgram.h"
#include "MainBehaviour.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

// The desktop as the core meets it, answering the Quake directory prompt from a script.
class RecordingDesktop : public Desktop {
 public:
  void ShowMainWindow() override {}
  Result StartScript(const std::string& path, const ScriptTarget&) override {
    started.push_back(path);
    return Result::Ok();
  }
  std::string answer;
  std::vector<std::string> started;
  std::vector<std::string> boxes;
  // Runs while a box is open, as the system's end can arrive then.
  std::function<void()> whileBoxOpen;

 protected:
  void ShowErrorBox(const std::string& message) override {
    boxes.push_back(message);
    if (whileBoxOpen) whileBoxOpen();
  }
  InputAnswer ShowPrompt(const std::string&, const std::string&,
                         const std::string& given) override {
    return {answer, given};
  }
};

// A main window that holds what it is told. Like a control in a local 8-bit encoding, it shows
// bytes above 0x7F as '?', and gives them back so.
class RecordingMainView : public MainView {
 public:
  std::string SetText(MainControl control, const std::string& bytes) override {
    std::string shown = bytes;
    for (char& c : shown) c = static_cast<unsigned char>(c) > 0x7F ? '?' : c;
    return text[control] = shown;
  }
  void SetList(MainControl control, const std::vector<std::string>& entries) override {
    lists[control] = entries;
  }
  void SetVisible(MainControl control, bool shown) override { visible[control] = shown; }
  MainControl Focused() const override { return focus; }
  // Keyboard focus moved onto a field of a hidden panel is counted.
  void Focus(MainControl control) override {
    focus = control;
    const Container container = Describe(control).container;
    if (control != MainControl::Count && container != Container::Window &&
        !visible[PanelOf(container)]) {
      ++focusedHidden;
    }
  }
  void SetAccessibleName(MainControl control, const std::string& name) override {
    names[control] = name;
  }
  Result ShowPicture(MainControl, const Bitmap& shown) override {
    picture = shown;
    return Result::Ok();
  }
  void Beep() override { ++beeps; }
  void ShowMessage(const std::string& shown) override {
    messages.push_back(shown);
    if (whileMessageOpen) whileMessageOpen();
  }
  void End() override { ++ends; }
  void Announce(MainControl panel) override { announced.push_back(panel); }
  void DescribeEntry(MainControl, std::size_t entry, const std::string& bytes) override {
    described[entry] = bytes;
  }

  std::map<MainControl, std::string> text;
  std::vector<MainControl> announced;
  MainControl focus = MainControl::Count;
  int focusedHidden = 0;
  std::map<std::size_t, std::string> described;
  std::map<MainControl, std::string> names;
  std::map<MainControl, std::vector<std::string>> lists;
  std::map<MainControl, bool> visible{{MainControl::picMain, true}, {MainControl::picSP, false}};
  Bitmap picture;
  int beeps = 0;
  std::vector<std::string> messages;
  std::function<void()> whileMessageOpen;
  int ends = 0;
};

class RecordingDebugView : public DebugView {
 public:
  void ShowLog(const std::vector<std::string>& all, std::size_t first) override {
    firsts.push_back(first);
    log.insert(log.end(), all.begin() + static_cast<long>(first), all.end());
  }
  void CallAtNextTurn() override { turnAsked = true; }
  void ClearLine() override { line.clear(); }
  void Place(DebugControl, const PixelsRect& place) override { list = place; }
  void ShowWindow() override { ++shown; }

  std::vector<std::string> log;
  // Where each batch began; whether the next turn of the loop was asked for.
  std::vector<std::size_t> firsts;
  bool turnAsked = false;
  std::string line;
  PixelsRect list;
  int shown = 0;
};

// A launcher in a temporary directory with two maps, its console and its main window, made as
// the program makes them: the console first, then the main window, then start-up.
struct Windows {
  TempDir dir;
  RecordingDesktop desktop;
  LauncherProgram program{dir.Path(), desktop, MapListing::WhenFilled};
  Launcher& launcher = program.Core();
  DebugBehaviour& console = program.ConsoleBehaviour();
  MainBehaviour& window = program.WindowBehaviour();
  RecordingDebugView consoleView;
  RecordingMainView view;

  explicit Windows(const std::string& autoScript = "exec config.kvx\r\n") {
    dir.Write("auto.kvx", autoScript);
    dir.Write("config.kvx", "");
    dir.Write("data/Castle.kvx", "e1m1\r\nA castle.\r\n");
    dir.Write("data/Castle.bmp", MakeBmp(4, 4));
    dir.Write("data/Keep.kvx", "e1m2\r\nA keep.\r\n");
    dir.Write("data/Keep.bmp", MakeBmp(2, 2));
    console.ControlsMade(consoleView);
  }
  // Start-up as the program runs it, its views handed over first, and an event loop that returns
  // at once: the program then runs as it does between the player's events.
  void Start() {
    window.Form_Load(view);
    ASSERT_EQ(program.Run([this] {
      if (std::exchange(consoleView.turnAsked, false)) console.ShowPendingLog();
      return 0;
    }),
              0);
  }
  std::size_t MapEntry(const std::string& name) {
    const auto& maps = view.lists[MainControl::listMap];
    return static_cast<std::size_t>(std::find(maps.begin(), maps.end(), name) - maps.begin());
  }
  const std::string& Text(TextField field) const { return launcher.State().Text(field); }
};

TEST(MainWindowBehaviour, CreationShowsTheStateAsItStandsAndSelectsNothing) {
  struct Case {
    std::string config;
    std::string engine, map, parameters, title;
  };
  const std::vector<Case> cases = {
      {"", "LucidGL.exe", "", "", ""},
      {"exe Quake.exe\r\ncpar  -x \r\n", "Quake.exe", "", " -x ", ""},
      {"map Keep\r\n", "LucidGL.exe", "Keep", "", "Keep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    Windows w;
    w.dir.Write("config.kvx", c.config);
    w.Start();
    EXPECT_EQ(w.view.text[MainControl::comboEXE], c.engine);
    EXPECT_EQ(w.view.text[MainControl::listMap], c.map);
    EXPECT_EQ(w.view.text[MainControl::txtCpar], c.parameters);
    EXPECT_EQ(w.view.text[MainControl::lblMapTitle], c.title);
    EXPECT_EQ(w.view.lists[MainControl::comboEXE],
              (std::vector<std::string>{"LucidGL.exe", "GLQuake.exe", "Quake.exe", "WinQuake.exe",
                                        "VQuake.exe"}));
    EXPECT_EQ(w.view.lists[MainControl::listMap].size(), 2u);
    EXPECT_TRUE(w.view.visible[MainControl::picMain]);
    EXPECT_FALSE(w.view.visible[MainControl::picSP]);
  }
  // A map loaded before the window existed is shown with it.
  Windows early;
  EXPECT_TRUE(early.launcher.RunCommand("map Keep").ok());
  early.window.Form_Load(early.view);
  EXPECT_EQ(early.view.text[MainControl::lblMapDes], "A keep.");
  EXPECT_EQ(early.view.picture, Decoded(MakeBmp(2, 2)));
}

TEST(MainWindowBehaviour, EditsReachTheStateAndUneditedValuesKeepTheirBytes) {
  Windows w;
  // Bytes the view shows as '?': nobody edits them, so they are saved as they were read.
  w.dir.Write("config.kvx", "exe Caf\xE9.exe\r\ncpar \xFF\r\n");
  w.Start();
  EXPECT_EQ(w.view.text[MainControl::comboEXE], "Caf?.exe");
  // A toolkit may report a text it was given as an edit: nothing changes.
  w.window.PlayerEdited(MainControl::comboEXE, "Caf?.exe");
  // What the player types is taken as typed; a command that sets no field of the window leaves
  // the fields as they are.
  w.window.PlayerEdited(MainControl::listMap, "Castle");
  EXPECT_TRUE(w.launcher.RunCommand("quakedir C:\\Q").ok());
  // Labels are not the player's to edit.
  w.window.PlayerEdited(MainControl::lblMapTitle, "edited");
  w.window.Form_Unload();
  EXPECT_EQ(w.dir.Read("config.kvx"), "exe Caf\xE9.exe\r\nmap Castle\r\ncpar \xFF\r\n");
  // Typing a map's name loaded nothing.
  EXPECT_EQ(w.launcher.State().Map().name, "");
  EXPECT_EQ(w.launcher.State().Map().level, "");
}

TEST(MainWindowBehaviour, ChoosingAnEntryTakesItsBytesAndOnlyTheMapListLoads) {
  Windows w;
  w.dir.Write("data/Caf\xE9.kvx", "e3m1\r\nA caf\xE9.\r\n");
  w.dir.Write("data/Caf\xE9.bmp", MakeBmp(3, 3));
  w.Start();
  const std::size_t cafe = w.MapEntry("Caf\xE9");
  w.window.PlayerChose(MainControl::listMap, cafe);
  EXPECT_EQ(w.Text(TextField::MapSelection), "Caf\xE9");
  EXPECT_EQ(w.view.text[MainControl::listMap], "Caf?");
  EXPECT_EQ(w.launcher.State().Map().level, "e3m1");
  EXPECT_EQ(w.view.text[MainControl::lblMapDes], "A caf?.");
  EXPECT_EQ(w.view.picture, Decoded(MakeBmp(3, 3)));
  EXPECT_EQ(w.view.names[MainControl::imgLevel], w.launcher.State().Map().name);
  // A screen reader hears the chosen entry described as the labels show the map, and no
  // description of a map the player only typed.
  EXPECT_EQ(w.view.described, (std::map<std::size_t, std::string>{{cafe, "Caf?. A caf?."}}));
  w.window.PlayerEdited(MainControl::listMap, "Keep");
  EXPECT_TRUE(w.launcher.RunCommand("map Keep").ok());
  EXPECT_EQ(w.view.described.size(), 1u);
  // The same entry again loads the files again.
  w.dir.Write("data/Caf\xE9.kvx", "e3m2\r\nRebuilt.\r\n");
  w.window.PlayerChose(MainControl::listMap, cafe);
  EXPECT_EQ(w.view.text[MainControl::lblMapDes], "Rebuilt.");
  // An engine entry changes the engine text and nothing else; no entry beyond the list does.
  w.window.PlayerChose(MainControl::comboEXE, 3);
  w.window.PlayerChose(MainControl::comboEXE, 5);
  w.window.PlayerChose(MainControl::listMap, 3);
  EXPECT_EQ(w.Text(TextField::EngineText), "WinQuake.exe");
  EXPECT_EQ(w.view.text[MainControl::comboEXE], "WinQuake.exe");
  EXPECT_EQ(w.launcher.State().Map().level, "e3m2");
  EXPECT_TRUE(w.desktop.boxes.empty());
}

// The programs list the maps on a thread while their windows are made: the list shows the same
// entries in the same order, and the start script's map line loads its map, as when the folder
// is listed as the list is filled.
TEST(MainWindowBehaviour, MapsListedAheadComeOutAsListedWhenFilled) {
  std::vector<std::vector<std::string>> lists;
  for (MapListing listing : {MapListing::WhenFilled, MapListing::Ahead}) {
    TempDir dir;
    dir.Write("auto.kvx", "map Keep 7\r\n");
    for (int i = 0; i < 200; ++i)
      dir.Write("data/Keep " + std::to_string(i) + ".kvx", "e1m1\r\n.\r\n");
    dir.Write("data/Keep 7.kvx", "e1m7\r\nThe seventh keep.\r\n");
    dir.Write("data/Keep 7.bmp", MakeBmp(2, 2));
    RecordingDesktop desktop;
    LauncherProgram program{dir.Path(), desktop, listing};
    RecordingMainView view;
    program.WindowBehaviour().Form_Load(view);
    ASSERT_EQ(program.Run([] { return 0; }), 0);
    EXPECT_EQ(view.text[MainControl::listMap], "Keep 7");
    EXPECT_EQ(view.text[MainControl::lblMapDes], "The seventh keep.");
    EXPECT_EQ(program.Core().State().Map().level, "e1m7");
    EXPECT_TRUE(desktop.boxes.empty());
    lists.push_back(view.lists[MainControl::listMap]);
  }
  EXPECT_EQ(lists[0].size(), 200u);
  EXPECT_EQ(lists[1], lists[0]);
}

TEST(MainWindowBehaviour, EachImageClickDoesWhatItsRowSays) {
  using C = MainControl;
  struct Case {
    std::vector<MainControl> clicks;
    bool mainPanel;
    int beeps;
    std::size_t launches;
    // The panels announced as they are shown.
    std::vector<MainControl> announced;
  };
  const std::vector<Case> cases = {
      {{C::imgSP}, false, 0, 0, {C::picSP}},
      {{C::imgSP, C::imgMain}, true, 0, 0, {C::picSP, C::picMain}},
      {{C::imgMain, C::imgMain}, true, 0, 0, {C::picMain, C::picMain}},
      {{C::imgSP, C::imgSP}, false, 0, 0, {C::picSP, C::picSP}},
      {{C::imgSP, C::imgMP, C::imgJoin}, false, 2, 0, {C::picSP}},
      {{C::imgSP, C::imgStartSP}, false, 0, 1, {C::picSP}},
      {{C::imgLogo1, C::imgTile1, C::imgLevel}, true, 0, 0, {}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    Windows w;
    w.dir.Write("config.kvx", "map Keep\r\n");
    w.Start();
    EXPECT_TRUE(w.launcher.RunCommand("quakedir C:\\Quake").ok());
    for (MainControl image : cases[i].clicks) w.window.ImageClicked(image);
    EXPECT_EQ(w.view.visible[MainControl::picMain], cases[i].mainPanel);
    EXPECT_EQ(w.view.visible[MainControl::picSP], !cases[i].mainPanel);
    EXPECT_EQ(w.view.beeps, cases[i].beeps);
    EXPECT_EQ(w.view.announced, cases[i].announced);
    EXPECT_EQ(w.desktop.started.size(), cases[i].launches);
    EXPECT_FALSE(w.dir.Has("settings.kvx"));
    EXPECT_EQ(w.view.ends, 0);
  }
}

// No key reaches a control that is not shown: the window holds the focus while the field's panel
// is hidden, and gives it back when the panel shows again or a box closes.
TEST(MainWindowBehaviour, TheFocusNeverRestsOnAHiddenField) {
  using C = MainControl;
  const struct {
    MainControl focus;
    std::vector<MainControl> before;
    bool box;
    std::vector<MainControl> inBox;
    std::vector<MainControl> after;
    MainControl focused;
  } cases[] = {
      {C::listMap, {C::imgSP}, false, {}, {}, C::Count},
      {C::listMap, {C::imgSP, C::imgMP, C::imgMain}, false, {}, {}, C::listMap},
      {C::txtCpar, {C::imgMain}, false, {}, {}, C::txtCpar},
      {C::comboEXE, {}, true, {}, {}, C::comboEXE},
      {C::Count, {}, true, {}, {}, C::Count},
      {C::txtCpar, {C::imgSP}, true, {}, {}, C::Count},
      {C::listMap, {}, true, {C::imgSP}, {}, C::Count},
      {C::listMap, {}, true, {C::imgSP}, {C::imgMain}, C::listMap},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const auto& c = cases[i];
    Windows w;
    w.Start();
    w.view.focus = c.focus;
    for (MainControl image : c.before) w.window.ImageClicked(image);
    w.view.whileMessageOpen = [&w, &c] {
      for (MainControl image : c.inBox) w.window.ImageClicked(image);
    };
    if (c.box) w.window.MenuChosen(MenuCommand::About);
    for (MainControl image : c.after) w.window.ImageClicked(image);
    EXPECT_EQ(w.view.focus, c.focused);
    EXPECT_EQ(w.view.focusedHidden, 0);
  }
}

TEST(MainWindowBehaviour, TheMenuShowsAboutSetsTheQuakeDirectoryAndShowsTheConsole) {
  Windows w;
  w.Start();
  w.window.MenuChosen(MenuCommand::About);
  EXPECT_EQ(w.view.messages, std::vector<std::string>{"Kovar Launcher By Velmont\rVersion 0.1"});
  // The answer is one line.
  w.desktop.answer = " D:\\Games\r\n\\Quake \n";
  w.window.MenuChosen(MenuCommand::SetQuakeDirectory);
  EXPECT_EQ(w.Text(TextField::QuakeDir), " D:\\Games\\Quake ");
  w.window.MenuChosen(MenuCommand::DebugWindow);
  EXPECT_EQ(w.consoleView.shown, 1);
  EXPECT_EQ(w.view.ends, 0);
  EXPECT_FALSE(w.dir.Has("settings.kvx"));
}

TEST(MainWindowBehaviour, CloseExitAndTheSystemsEndSaveTheSameFilesOnceAndEnd) {
  const std::vector<std::pair<const char*, void (*)(LauncherProgram&)>> ends = {
      {"close", [](LauncherProgram& program) { program.WindowBehaviour().Form_Unload(); }},
      {"Exit",
       [](LauncherProgram& program) { program.WindowBehaviour().MenuChosen(MenuCommand::Exit); }},
      {"system", [](LauncherProgram& program) { program.SystemEnded(); }},
  };
  for (const auto& [name, end] : ends) {
    SCOPED_TRACE(name);
    Windows w;
    w.Start();
    // A line break that a skin let through is neither kept nor shown.
    w.window.PlayerEdited(MainControl::txtCpar, "+skill \r\n2");
    EXPECT_EQ(w.view.text[MainControl::txtCpar], "+skill 2");
    w.window.ImageClicked(MainControl::imgSP);
    end(w.program);
    EXPECT_EQ(w.view.ends, 1);
    EXPECT_EQ(w.dir.Read("config.kvx"), "exe LucidGL.exe\r\ncpar +skill 2\r\n");
    EXPECT_EQ(w.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");
    // After the end nothing runs: no second save, no click, no edit.
    std::filesystem::remove(w.dir.File("config.kvx"));
    for (const auto& [other, endAgain] : ends) endAgain(w.program);
    w.window.ImageClicked(MainControl::imgMain);
    w.window.PlayerEdited(MainControl::txtCpar, "late");
    w.window.MenuChosen(MenuCommand::About);
    EXPECT_FALSE(w.dir.Has("config.kvx"));
    EXPECT_EQ(w.view.ends, 1);
    EXPECT_FALSE(w.view.visible[MainControl::picMain]);
    EXPECT_TRUE(w.view.messages.empty());
  }
}

TEST(MainWindowBehaviour, TheSystemsEndDuringAFailedSaveEndsWithoutWaitingOnItsBox) {
  Windows w;
  w.Start();
  // config.kvx cannot be replaced by a file when a folder of that name is in the way.
  std::filesystem::remove(w.dir.File("config.kvx"));
  std::filesystem::create_directories(w.dir.File("config.kvx") + "/in-the-way");
  int endedWhileBoxOpen = 0;
  w.desktop.whileBoxOpen = [&w, &endedWhileBoxOpen] {
    w.program.SystemEnded();
    endedWhileBoxOpen = w.view.ends;
  };
  w.window.Form_Unload();
  EXPECT_EQ(w.desktop.boxes.size(), 1u);
  EXPECT_EQ(endedWhileBoxOpen, 1);
  EXPECT_EQ(w.view.ends, 1);
  EXPECT_TRUE(w.program.Ended());
  EXPECT_EQ(w.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");
}

TEST(MainWindowBehaviour, APressReachesOnlyWhatAClickCouldAndOnlyAStartThatReadTheFilesSaves) {
  Windows w;
  w.Start();
  // Start lies on the hidden panel; Single Player lies under the About box while it is open.
  w.window.ControlPressed(MainControl::imgStartSP);
  w.view.whileMessageOpen = [&w] {
    EXPECT_FALSE(w.window.CanPress(MainControl::imgSP));
    w.window.ControlPressed(MainControl::imgSP);
  };
  w.window.MenuChosen(MenuCommand::About);
  EXPECT_TRUE(w.desktop.started.empty());
  EXPECT_FALSE(w.window.Panels().startPanel);
  EXPECT_FALSE(w.window.CanPress(MainControl::imgLogo1));
  w.window.ControlPressed(MainControl::imgSP);
  EXPECT_TRUE(w.window.Panels().startPanel);

  // Without its start script the program read nothing of the player's: no end may save. With it,
  // an end during start-up (here in the box of a failed line) saves, and no event loop runs.
  for (const std::string script : {"", "exec settings.kvx\r\nexec missing.kvx\r\n"}) {
    Windows s(script);
    if (script.empty()) std::filesystem::remove(s.dir.File("auto.kvx"));
    s.dir.Write("settings.kvx", "frun false\r\nquakedir /games/quake\r\n");
    s.desktop.whileBoxOpen = [&s] {
      s.program.SessionSaveAsked();
      s.program.SystemEnded();
    };
    s.window.Form_Load(s.view);
    EXPECT_EQ(s.program.Run([] { return 2; }), script.empty() ? 1 : 0);
    s.window.Form_Unload();
    EXPECT_EQ(s.view.ends, 1);
    EXPECT_EQ(s.dir.Read("settings.kvx"), "frun false\r\nquakedir /games/quake\r\n");
    EXPECT_EQ(s.dir.Read("config.kvx"), script.empty() ? "" : "exe LucidGL.exe\r\ncpar \r\n");
  }
}

TEST(DebugConsoleBehaviour, SendingRunsTheLineAndClearsItOnlyWhenItRan) {
  struct Case {
    std::string typed;
    std::vector<std::string> logged;  // after the start script's lines
    std::string lineAfter;
    std::string engine;
  };
  const std::vector<Case> cases = {
      {"", {""}, "", "LucidGL.exe"},
      {"exe GLQuake.exe", {"exe GLQuake.exe"}, "", "GLQuake.exe"},
      {"exe  Two.exe", {"exe  Two.exe"}, "", " Two.exe"},
      {"exec three.kvx", {"exec three.kvx", "cpar a", "cpar b", "exe Quake.exe"}, "", "Quake.exe"},
      {"exec missing.kvx", {"exec missing.kvx"}, "exec missing.kvx", "LucidGL.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Windows w("");
    w.dir.Write("three.kvx", "cpar a\r\ncpar b\r\nexe Quake.exe\r\n");
    w.Start();
    const std::size_t before = w.consoleView.log.size();
    w.consoleView.line = c.typed;
    w.console.cmdSend_Click(c.typed);
    EXPECT_EQ(std::vector<std::string>(w.consoleView.log.begin() + static_cast<long>(before),
                                       w.consoleView.log.end()),
              c.logged);
    EXPECT_EQ(w.consoleView.line, c.lineAfter);
    EXPECT_EQ(w.view.text[MainControl::comboEXE], c.engine);
  }
}

TEST(DebugConsoleBehaviour, TheLogHoldsEveryLineFromTheFirstAndTheListFillsTheWindow) {
  Windows w("exec settings.kvx\r\nexec config.kvx\r\n");
  w.dir.Write("settings.kvx", "frun false\r\n");
  w.dir.Write("config.kvx", "exe Quake.exe\r\n");
  w.Start();
  EXPECT_EQ(w.consoleView.log,
            (std::vector<std::string>{"exec auto.kvx", "exec settings.kvx", "frun false",
                                      "exec config.kvx", "exe Quake.exe"}));
  // The lines of one turn of the event loop reach the view as one batch, from where the last
  // ended; a line sent is shown as it runs.
  EXPECT_TRUE(w.launcher.RunCommand("cpar a").ok() && w.launcher.RunCommand("cpar b").ok());
  EXPECT_TRUE(w.consoleView.turnAsked);
  w.console.ShowPendingLog();
  w.console.cmdSend_Click("cpar c");
  EXPECT_EQ(w.consoleView.firsts, (std::vector<std::size_t>{0, 5, 7}));
  EXPECT_EQ(w.consoleView.log.back(), "cpar c");
  // A new size places the list by the resize rule (its cases: the window description's test).
  w.console.Form_Resize(400, 266);
  EXPECT_EQ(w.consoleView.list, (PixelsRect{0, 24, 400, 242}));
}

}  // namespace
}  // namespace kovar::test
