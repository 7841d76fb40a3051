// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows skin's modal boxes and its console: the Quake directory prompt answered and
// cancelled, the error box, and what only the console's real window shows.
#include <windows.h>

#include <gtest/gtest.h>

#include "InputBox.h"
#include "WindowTestSupport.h"

namespace kovar::test {
namespace {

using Dialogs = LauncherWindows;

TEST_F(Dialogs, TheQuakeDirectoryPromptIsAnsweredOrCancelled) {
  struct Case {
    const char* name;
    std::function<void(HWND)> answer;
    std::string quakeDir;
    std::string start = {};    // the Quake directory the box is given, when not `given`
    std::string refusal = {};  // part of the box that refuses OK, when one must
  };
  const std::string given = "C:\\Quake \x81\x8D";
  const std::string huge(40000, 'q');
  // On the prompt: `typed`, then OK; on the box that refuses it: OK; on the prompt again: Cancel.
  const auto refused = [](std::string typed) {
    return [typed, boxes = 0](HWND box) mutable {
      if (boxes++ == 0) BoxAnswerer::PostTyping(GetDlgItem(box, kInputFieldId), typed);
      BoxAnswerer::Press(box, boxes == 3 ? IDCANCEL : IDOK);
    };
  };
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
      {"typed past the longest path Windows takes, then OK",
       refused(std::string(300, 'x')),
       given,
       {},
       "at most 259"},
      {"given more than the field takes, shown whole, then OK", refused({}), huge, huge,
       "is 40000 characters"},
  };
  dir.Write("settings.kvx", "frun False\r\nquakedir " + given + "\r\n");
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    app->Core().State().SetText(TextField::QuakeDir, c.start.empty() ? given : c.start);
    BoxAnswerer answerer(c.answer);
    for (std::size_t row = 0; row < kMainMenu.size(); ++row) {
      if (kMainMenu[row].command != MenuCommand::SetQuakeDirectory) continue;
      SendMessageA(app->frmMain().Window(), WM_COMMAND, MAKEWPARAM(MenuId(row), 0), 0);
    }
    ASSERT_EQ(answerer.seen.size(), c.refusal.empty() ? 1u : 3u);
    if (!c.refusal.empty()) {
      EXPECT_NE(answerer.seen[1].texts.back().find(c.refusal), std::string::npos);
    }
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

TEST_F(Dialogs, TheConsoleSizeTabEscapeAndResizeOnARealWindow) {
  Start();
  frmDebug& console = app->frmDebug();
  HWND window = console.Window();
  HWND list = console.Control(DebugControl::listDebug);
  HWND text = console.Control(DebugControl::txtMain);
  HWND send = console.Control(DebugControl::cmdSend);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(WindowText(window), "Debug");
  auto place = [window](HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 312);
  EXPECT_EQ(client.bottom, 213);
  RECT listPlace = place(list);
  EXPECT_EQ(listPlace.bottom, 213);
  console.ShowWindow();
  Pump();
  EXPECT_EQ(GetNextDlgTabItem(window, list, FALSE), text);
  EXPECT_EQ(GetNextDlgTabItem(window, text, FALSE), send);
  EXPECT_EQ(GetNextDlgTabItem(window, send, FALSE), list);

  // Enter and Escape in the text box run nothing and close nothing: no button answers them.
  const std::size_t logged = app->Core().State().Log().size();
  Type(text, "exe  Win Quake.exe");
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    MSG press{text, WM_KEYDOWN, key, 1, 0, {}};
    Dispatch(press);
    Pump();
  }
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(WindowText(text), "exe  Win Quake.exe");
  EXPECT_EQ(app->Core().State().Log().size(), logged);
  // The button reaches the send, whose outcome both windows show.
  SendMessageA(send, BM_CLICK, 0, 0);
  EXPECT_EQ(WindowText(text), "");
  EXPECT_EQ(WindowText(Control(MainControl::comboEXE)), " Win Quake.exe");
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(logged + 1));
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

  // The resize rule on client areas Windows must grant; a size it refuses fails the test.
  struct Case {
    int width, height;
    RECT list;
  };
  const std::vector<Case> cases = {
      {400, 266, {0, 24, 400, 266}},
      {200, 30, {0, 24, 200, 30}},
  };
  for (const Case& c : cases) {
    RECT frame{0, 0, c.width, c.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE, 0);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(window, &client);
    ASSERT_EQ(client.right, c.width) << "Windows refused the size";
    ASSERT_EQ(client.bottom, c.height) << "Windows refused the size";
    listPlace = place(list);
    EXPECT_TRUE(EqualRect(&listPlace, &c.list)) << c.width << " x " << c.height;
    const RECT textPlace = place(text);
    const RECT sendPlace = place(send);
    EXPECT_EQ(textPlace.right - textPlace.left, 281);
    EXPECT_EQ(sendPlace.left, 288);
    EXPECT_EQ(sendPlace.right - sendPlace.left, 17);
  }
}

}  // namespace
}  // namespace kovar::test
