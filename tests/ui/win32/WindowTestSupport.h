// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for driving the Windows skin's real windows through messages, as the player would:
// clicks, typing, menu choices, and modal boxes answered from a hook when they open.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "LauncherApplication.h"
#include "TestSupport.h"
#include "TextControls.h"

namespace kovar::test {

// Runs every message waiting for this thread's windows, painting included.
inline void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) Dispatch(message);
}

// A press and release of the left button in the middle of `place` of a window's client area.
inline void Click(HWND window, const RECT& place) {
  const LPARAM at = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(window, WM_LBUTTONUP, 0, at);
}

// Types text into an edit field key by key, after what it holds.
inline void Type(HWND edit, const std::string& text) {
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), -1);
  const LRESULT end = GetWindowTextLengthA(edit);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  for (unsigned char c : text) SendMessageA(edit, WM_CHAR, c, 1);
}

// Clicks entry `index` of a list box (such as the list of a combo box).
inline void ClickEntry(HWND list, int index) {
  RECT item;
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

// What a modal box showed when it opened.
struct SeenBox {
  std::string caption;
  std::vector<std::string> texts;    // its static texts, in order
  std::vector<std::string> buttons;  // its buttons' captions
  bool icon = false;
};

// Answers the modal boxes that open on this thread while it lives: records each one, then lets
// `answer` post the player's keys or clicks to it. The box's own message loop delivers them.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::function<void(HWND box)> answer)
      : previous_(current_), answer_(std::move(answer)) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~BoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    current_ = previous_;
  }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  std::vector<SeenBox> seen;

  // Posts a click on the box's button `id` (IDOK, IDCANCEL).
  static void Press(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
  }
  // Posts typed characters to a control of the box.
  static void PostTyping(HWND control, const std::string& text) {
    for (unsigned char c : text) PostMessageA(control, WM_CHAR, c, 1);
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    BoxAnswerer* self = current_;
    if (code == HCBT_ACTIVATE && self) {
      HWND box = reinterpret_cast<HWND>(wParam);
      char windowClass[64] = {};
      GetClassNameA(box, windowClass, sizeof windowClass);
      if (std::string(windowClass) == "#32770" && box != self->answered_) {
        self->answered_ = box;
        self->seen.push_back(Describe(box));
        self->answer_(box);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static SeenBox Describe(HWND box) {
    SeenBox seenBox;
    seenBox.caption = WindowText(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char windowClass[64] = {};
      GetClassNameA(child, windowClass, sizeof windowClass);
      const std::string kind = windowClass;
      const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
      if (_stricmp(kind.c_str(), "Button") == 0) {
        seenBox.buttons.push_back(WindowText(child));
      } else if (_stricmp(kind.c_str(), "Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
          seenBox.icon = seenBox.icon || IsWindowVisible(child);
        } else {
          seenBox.texts.push_back(WindowText(child));
        }
      }
    }
    return seenBox;
  }

  static inline BoxAnswerer* current_ = nullptr;
  BoxAnswerer* previous_;
  HHOOK hook_ = nullptr;
  HWND answered_ = nullptr;
  std::function<void(HWND)> answer_;
};

// A launcher in a temporary application directory with three maps, its windows made and started
// as the program starts them, but ended into a counter instead of the program's end.
class LauncherWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFiles();
    unexpected = std::make_unique<BoxAnswerer>([](HWND box) {
      ADD_FAILURE() << "a box opened unasked: " << WindowText(box);
      BoxAnswerer::Press(box, IDCANCEL);
    });
  }
  // The start script, the settings, and two maps with previews of 160 x 120 and 100 x 50.
  void WriteFiles() {
    dir.Write("auto.kvx", "exec settings.kvx\r\nexec config.kvx\r\n");
    dir.Write("settings.kvx", "frun False\r\nquakedir C:\\Quake\r\n");
    dir.Write("config.kvx", "exe GLQuake.exe\r\ncpar +skill 2\r\n");
    dir.Write("data/Castle.kvx", "e1m1\r\nA castle by the sea.\r\n");
    dir.Write("data/Castle.bmp", kovar::test::MakeBmp(160, 120));
    dir.Write("data/Keep.kvx", "e1m2\r\nA keep.\r\n");
    dir.Write("data/Keep.bmp", kovar::test::MakeBmp(100, 50));
  }
  void TearDown() override {
    app.reset();
    Pump();
    unexpected.reset();
  }

  // Makes the windows and runs start-up.
  void Start() {
    app = std::make_unique<LauncherApplication>(dir.Path());
    app->frmMain().SetProgramEnder([this] { ++ended; });
    ASSERT_TRUE(app->Core().Main().ok());
    Pump();
  }

  HWND Control(MainControl control) { return app->frmMain().Control(control); }
  // A click in the middle of a control that the window draws, on what holds it.
  void Click(MainControl control) {
    const DrawnControls& drawn = app->frmMain().Drawn();
    test::Click(drawn.ContainerOf(control), drawn.PlaceOf(control));
  }
  const std::string& Text(TextField field) { return app->Core().State().Text(field); }
  void Choose(std::size_t menuRow) {
    SendMessageA(app->frmMain().Window(), WM_COMMAND, MAKEWPARAM(MenuId(menuRow), 0), 0);
  }

  TempDir dir;
  // Fails the test on a box that nobody expected, and closes it, so that the test cannot hang.
  std::unique_ptr<BoxAnswerer> unexpected;
  std::unique_ptr<LauncherApplication> app;
  int ended = 0;
};

}  // namespace kovar::test
