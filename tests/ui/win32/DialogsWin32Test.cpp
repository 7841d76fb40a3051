// The Windows skin's modal boxes and its console: the Quake directory prompt answered and
// cancelled, the error box, and the debug console's send action and resize rule.
#include <windows.h>

#include <gtest/gtest.h>

#include "InputBox.h"
#include "WindowTestSupport.h"

namespace kovar::win32::test {
namespace {

using Dialogs = LauncherWindows;

TEST_F(Dialogs, TheQuakeDirectoryPromptIsAnsweredOrCancelled) {
  struct Case {
    const char* name;
    std::function<void(HWND)> answer;
    std::string quakeDir;
  };
  const std::string given = "C:\\Quake \x81\x8D";
  const std::vector<Case> cases = {
      {"typed, then OK",
       [](HWND box) {
         BoxAnswerer::PostTyping(GetDlgItem(box, kInputFieldId), "D:\\Games\r\nQuake");
         BoxAnswerer::Press(box, IDOK);
       },
       "D:\\GamesQuake"},
      {"typed, then Enter",
       [](HWND box) {
         HWND field = GetDlgItem(box, kInputFieldId);
         BoxAnswerer::PostTyping(field, "E:\\Q");
         PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
       },
       "E:\\Q"},
      {"left as given, then OK", [](HWND box) { BoxAnswerer::Press(box, IDOK); }, given},
      {"typed, then Cancel",
       [](HWND box) {
         BoxAnswerer::PostTyping(GetDlgItem(box, kInputFieldId), "F:\\");
         BoxAnswerer::Press(box, IDCANCEL);
       },
       given},
      {"typed, then Escape",
       [](HWND box) {
         HWND field = GetDlgItem(box, kInputFieldId);
         BoxAnswerer::PostTyping(field, "G:\\");
         PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 1);
       },
       given},
      {"emptied, then OK",
       [](HWND box) {
         PostMessageA(GetDlgItem(box, kInputFieldId), WM_KEYDOWN, VK_DELETE, 1);
         BoxAnswerer::Press(box, IDOK);
       },
       given},
  };
  dir.Write("settings.kvx", "frun False\r\nquakedir " + given + "\r\n");
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    app->Core().State().SetText(TextField::QuakeDir, given);
    BoxAnswerer answerer(c.answer);
    for (std::size_t row = 0; row < kMainMenu.size(); ++row) {
      if (kMainMenu[row].command != MenuCommand::SetQuakeDirectory) continue;
      SendMessageA(app->MainWindow().Window(), WM_COMMAND, MAKEWPARAM(MenuId(row), 0), 0);
    }
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].caption, "Set Quake Directory");
    EXPECT_EQ(answerer.seen[0].texts, std::vector<std::string>{"Enter Quake Path"});
    EXPECT_EQ(answerer.seen[0].buttons, (std::vector<std::string>{"OK", "Cancel"}));
    EXPECT_EQ(Text(TextField::QuakeDir), c.quakeDir);
  }
}

TEST_F(Dialogs, AFailureIsShownInOneBoxTitledWithTheApplicationsName) {
  Start();
  BoxAnswerer answerer([](HWND box) { BoxAnswerer::Press(box, IDOK); });
  EXPECT_TRUE(app->Core().RunCommand("exec missing.kvx").failed());
  ASSERT_EQ(answerer.seen.size(), 1u);
  EXPECT_EQ(answerer.seen[0].caption, "Kovar Launcher");
  ASSERT_EQ(answerer.seen[0].texts.size(), 1u);
  EXPECT_NE(answerer.seen[0].texts[0].find("missing.kvx"), std::string::npos)
      << answerer.seen[0].texts[0];
  EXPECT_EQ(answerer.seen[0].buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(ended, 0);
}

TEST_F(Dialogs, TheConsoleSendsTheTypedLineAndKeepsItsListToTheWindow) {
  Start();
  frmDebug& console = app->DebugWindow();
  EXPECT_FALSE(IsWindowVisible(console.Window()));
  EXPECT_EQ(WindowText(console.Window()), "Debug");
  const std::vector<std::string> startLog = app->Core().State().Log();
  HWND list = console.Control(DebugControl::listDebug);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(startLog.size()));
  console.ShowWindow();

  HWND text = console.Control(DebugControl::txtMain);
  Type(text, "exe  Win Quake.exe");
  // Enter in the text box runs nothing: no button is the default.
  MSG enter{text, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  LauncherApp::Dispatch(enter);
  Pump();
  EXPECT_EQ(WindowText(text), "exe  Win Quake.exe");
  SendMessageA(console.Control(DebugControl::cmdSend), BM_CLICK, 0, 0);
  EXPECT_EQ(WindowText(text), "");
  EXPECT_EQ(Text(TextField::EngineText), " Win Quake.exe");
  EXPECT_EQ(WindowText(Control(MainControl::comboEXE)), " Win Quake.exe");
  SendMessageA(console.Control(DebugControl::cmdSend), BM_CLICK, 0, 0);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  ASSERT_EQ(count, static_cast<LRESULT>(startLog.size() + 2));
  char last[64] = {};
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(count - 2), reinterpret_cast<LPARAM>(last));
  EXPECT_EQ(std::string(last), "exe  Win Quake.exe");
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

  // The resize rule, for client areas given in pixels.
  struct Case {
    int width, height;
    RECT list;
  };
  const std::vector<Case> cases = {
      {312, 213, {0, 24, 312, 213}},
      {400, 266, {0, 24, 400, 266}},
      {200, 30, {0, 24, 200, 30}},
      {200, 10, {0, 24, 200, 24}},
  };
  for (const Case& c : cases) {
    RECT frame{0, 0, c.width, c.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(console.Window(), GWL_STYLE)),
                       FALSE, 0);
    SetWindowPos(console.Window(), nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(console.Window(), &client);
    if (client.right != c.width || client.bottom != c.height) continue;  // below Windows' minimum
    RECT place;
    GetWindowRect(list, &place);
    MapWindowPoints(nullptr, console.Window(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, c.list.left);
    EXPECT_EQ(place.top, c.list.top);
    EXPECT_EQ(place.right, c.list.right) << c.width << "x" << c.height;
    EXPECT_EQ(place.bottom, c.list.bottom) << c.width << "x" << c.height;
    RECT textPlace;
    GetWindowRect(text, &textPlace);
    EXPECT_EQ(textPlace.right - textPlace.left, 281);
  }
}

}  // namespace
}  // namespace kovar::win32::test
