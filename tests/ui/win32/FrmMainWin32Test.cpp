// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows main window as only its real controls show it: a few places, what the player sees
// where controls overlap, Tab, the menus, the About box, the fields' text in and out, the map
// list, the preview, and the messages that end the program. Its behaviour is tested once, with
// the window behaviour.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string_view>
#include <tuple>
#include <utility>

#include "Dpi.h"
#include "FrontRow.h"
#include "WindowTestSupport.h"

namespace kovar::test {
namespace {

std::size_t MenuRow(std::string_view name) {
  for (std::size_t row = 0; row < kMainMenu.size(); ++row) {
    if (kMainMenu[row].name == name) return row;
  }
  ADD_FAILURE() << "no menu item " << name;
  return 0;
}

// A control's rectangle in its container's client area.
RECT PlaceOf(const frmMain& window, MainControl control) {
  HWND handle = window.Control(control);
  if (!handle) return window.Drawn().PlaceOf(control);
  RECT place;
  GetWindowRect(handle, &place);
  MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

using Window = LauncherWindows;

// 32-bit pixels, top row first, as 0x00RRGGBB.
struct Bitmap32 {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> bits;
  std::uint32_t At(int x, int y) const {
    return bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] &
           0xFFFFFF;
  }
};

// What `draw` paints into a width x height bitmap.
Bitmap32 Painted(int width, int height, const std::function<void(HDC)>& draw) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  draw(memory);
  GdiFlush();
  Bitmap32 result{width, height, {}};
  const auto* first = static_cast<const std::uint32_t*>(bits);
  result.bits.assign(first, first + static_cast<std::ptrdiff_t>(width) * height);
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return result;
}

TEST_F(Window, AFewPlacesAreWhereTheWindowsLayoutPutsThem) {
  struct Case {
    MainControl control;
    RECT place;  // in its container, pixels
  };
  const std::vector<Case> cases = {
      {MainControl::imgLogo1, {0, 0, 312, 64}},    {MainControl::imgTile1, {304, 0, 320, 64}},
      {MainControl::imgMain, {8, 56, 128, 88}},    {MainControl::imgJoin, {8, 176, 128, 208}},
      {MainControl::picMain, {136, 88, 393, 289}}, {MainControl::lblTitle, {136, 64, 393, 81}},
      {MainControl::comboEXE, {0, 16, 105, 37}},   {MainControl::imgLevel, {120, 16, 240, 106}},
      {MainControl::txtCpar, {0, 176, 257, 195}},
  };
  Start();
  HWND window = app->frmMain().Window();
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 399);
  EXPECT_EQ(client.bottom, 291);
  EXPECT_EQ(WindowText(window), "Tarnfield - Kovar Launcher");
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the main window has a fixed size";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  for (const Case& c : cases) {
    const RECT got = PlaceOf(app->frmMain(), c.control);
    EXPECT_TRUE(EqualRect(&got, &c.place)) << Describe(c.control).name << " at " << got.left << ","
                                           << got.top << "-" << got.right << "," << got.bottom;
  }
  // Tab goes round the fields only, in their order.
  constexpr auto kTab = TabOrderOf(kMainWindowControls);
  auto field = [this, &kTab](std::size_t i) {
    return Control(static_cast<MainControl>(kTab.rows[i % kTab.focusable]));
  };
  for (std::size_t i = 0; i < kTab.focusable; ++i)
    EXPECT_EQ(GetNextDlgTabItem(window, field(i), FALSE), field(i + 1)) << i;
}

TEST_F(Window, TheWindowShowsWhatTheTablePutsInFront) {
  dir.Write("data/Castle.kvx", "e1m1\r\nA castle by the sea, its towers and its keep.\r\n");
  dir.Write("config.kvx", "exe GLQuake.exe\r\nmap Castle\r\n");
  Start();
  HWND window = app->frmMain().Window();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  Pump();
  HDC dc = GetDC(window);
  const Bitmap32 shown =
      Painted(399, 291, [dc](HDC into) { BitBlt(into, 0, 0, 399, 291, dc, 0, 0, SRCCOPY); });
  ReleaseDC(window, dc);
  std::map<Artwork, Bitmap32> artwork;
  const kovar::test::PaintCheck check = kovar::test::CheckPaint(
      [&shown](int x, int y) { return shown.At(x, y); },
      [&artwork](Artwork picture, int x, int y) {
        auto found = artwork.find(picture);
        if (found == artwork.end()) {
          Picture bitmap;
          EXPECT_TRUE(bitmap.LoadResource(ArtworkName(picture)).ok());
          found = artwork
                      .emplace(picture, Painted(bitmap.Width(), bitmap.Height(),
                                                [&bitmap](HDC into) { bitmap.Draw(into, 0, 0); }))
                      .first;
        }
        return found->second.At(x, y);
      },
      160, 120);
  EXPECT_EQ(check.wrong, 0);
  EXPECT_EQ(check.compared, kovar::test::kFrontPixels);
  EXPECT_EQ(check.tileOverLogo, kovar::test::kTileOverLogo);
  EXPECT_EQ(check.mainOverLogo, kovar::test::kMainOverLogo);
  EXPECT_GT(check.textOverPreview, 0) << "the description's first line must show over the preview";
  // The white line runs at y = 80 across the title's box, right of the word "Main".
  EXPECT_EQ(shown.At(300, 80), 0xFFFFFFu);
  EXPECT_EQ(shown.At(300, 78), 0u);
}

// The window at the screen's scale (the test run sets it in KOVAR_EXPECTED_DPI), then moved to a
// monitor at 200 %: the client area, the white line under the title and the logo where the table
// puts them at that scale, the title at 9.75 points, and every text of the fields and labels
// inside its control.
TEST_F(Window, IsWholeAtTheScreensScaleAndAfterMovingToAnother) {
  struct Scale {
    SIZE client;
    RECT line;
    RECT logo;
    int titleEmHeight;  // 9.75 points in pixels
  };
  const std::map<int, Scale> scales = {
      {96, {{399, 291}, {136, 80, 392, 81}, {0, 0, 312, 64}, 13}},
      {144, {{598, 436}, {204, 120, 588, 121}, {0, 0, 468, 96}, 20}},
      {192, {{798, 582}, {272, 160, 784, 162}, {0, 0, 624, 128}, 26}},
  };
  const char* expected = std::getenv("KOVAR_EXPECTED_DPI");
  const int screenDpi = expected ? std::atoi(expected) : 96;
  dir.Write("config.kvx", "exe GLQuake.exe\r\nmap Keep\r\ncpar +skill 2 -width 640\r\n");
  Start();
  HWND window = app->frmMain().Window();
  ASSERT_EQ(WindowDpi(window), screenDpi) << "the screen's scale is not what the test run set";
  ShowWindow(window, SW_SHOW);
  for (const int dpi : {screenDpi, 192}) {
    SCOPED_TRACE(dpi);
    ASSERT_TRUE(scales.count(dpi));
    const Scale* scale = &scales.at(dpi);
    if (dpi != screenDpi) {
      RECT suggested;
      GetWindowRect(window, &suggested);
      SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    }
    UpdateWindow(window);
    Pump();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, scale->client.cx);
    EXPECT_EQ(client.bottom, scale->client.cy);
    const RECT logo = PlaceOf(app->frmMain(), MainControl::imgLogo1);
    EXPECT_TRUE(EqualRect(&logo, &scale->logo)) << logo.right << "x" << logo.bottom;

    // The line, right of the word "Main" to its end, and black just outside it.
    HDC dc = GetDC(window);
    const RECT& line = scale->line;
    int notWhite = 0;
    for (int x = (line.left + line.right) / 2; x < line.right; ++x) {
      for (int y = line.top; y < line.bottom; ++y) notWhite += GetPixel(dc, x, y) != 0xFFFFFF;
    }
    EXPECT_EQ(notWhite, 0);
    EXPECT_EQ(GetPixel(dc, line.right - 1, line.top - 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, line.right - 1, line.bottom), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, line.right, line.top), RGB(0, 0, 0));
    ReleaseDC(window, dc);

    for (const MainControl control :
         {MainControl::lblExe, MainControl::lblMap, MainControl::lblCustomPar,
          MainControl::lblTitle, MainControl::lblMapTitle, MainControl::comboEXE,
          MainControl::listMap, MainControl::txtCpar}) {
      // A label is drawn by its container in its box; an edit field shows its text in its
      // formatting rectangle.
      const DrawnControls& drawn = app->frmMain().Drawn();
      const bool label = Describe(control).kind == ControlKind::Label;
      HWND shownIn = label ? drawn.ContainerOf(control)
                     : Describe(control).kind == ControlKind::TextBox
                         ? Control(control)
                         : ComboField(Control(control));
      const std::string shown = label ? drawn.Text(control) : WindowText(shownIn);
      RECT room = PlaceOf(app->frmMain(), control);
      if (!label) SendMessageA(shownIn, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
      HDC measure = GetDC(shownIn);
      const auto font = label ? drawn.FontOf(control)
                              : reinterpret_cast<HFONT>(SendMessageA(shownIn, WM_GETFONT, 0, 0));
      HGDIOBJ old = SelectObject(measure, font);
      SIZE size;
      GetTextExtentPoint32A(measure, shown.c_str(), static_cast<int>(shown.size()), &size);
      SelectObject(measure, old);
      ReleaseDC(shownIn, measure);
      EXPECT_FALSE(shown.empty()) << Describe(control).name;
      EXPECT_LE(size.cx, room.right - room.left) << Describe(control).name << " " << shown;
      EXPECT_LE(size.cy, room.bottom - room.top) << Describe(control).name << " " << shown;
      if (control == MainControl::lblTitle) {
        LOGFONTA asked{};
        GetObjectA(font, sizeof asked, &asked);
        EXPECT_EQ(-asked.lfHeight, scale->titleEmHeight);
      }
    }
  }
}

TEST_F(Window, EachClickAndMenuItemReachesTheBehaviour) {
  Start();
  Click(MainControl::imgSP);
  EXPECT_TRUE(IsWindowVisible(Control(MainControl::picSP)));
  EXPECT_FALSE(IsWindowVisible(Control(MainControl::picMain)));
  // Where Main lies over the logo, the click is Main's.
  RECT overlap;
  const RECT main = PlaceOf(app->frmMain(), MainControl::imgMain);
  const RECT logo = PlaceOf(app->frmMain(), MainControl::imgLogo1);
  ASSERT_TRUE(IntersectRect(&overlap, &main, &logo));
  test::Click(app->frmMain().Window(), overlap);
  EXPECT_TRUE(IsWindowVisible(Control(MainControl::picMain)));
  Click(MainControl::imgSP);
  // The start image reaches the launch, which refuses a Quake directory it cannot enter.
  ASSERT_TRUE(app->Core().RunCommand("quakedir Q").ok());
  BoxAnswerer refusal([](HWND box) { BoxAnswerer::Press(box, IDOK); });
  Click(MainControl::imgStartSP);
  EXPECT_EQ(refusal.seen.size(), 1u);
  EXPECT_EQ(ended, 0);
}

// The keyboard focus leaves a panel that hides for the window, and comes back when it shows; after
// a box, it goes back where it was if that still shows, else to the window.
// Where the behaviour says the focus goes (its cases: the behaviour's tests), Windows puts it, and
// no key reaches the hidden field.
TEST_F(Window, TheFocusNeverRestsOnAHiddenControl) {
  Start();
  HWND window = app->frmMain().Window();
  app->frmMain().Show();
  Pump();
  HWND mapField = ComboField(Control(MainControl::listMap));
  SetFocus(mapField);
  Click(MainControl::imgSP);
  EXPECT_EQ(GetFocus(), window);
  const std::string map = Text(TextField::MapSelection);
  SendMessageA(GetFocus(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Text(TextField::MapSelection), map);
  Click(MainControl::imgMain);
  EXPECT_EQ(GetFocus(), mapField);
}

TEST_F(Window, TheMenusShowWhatCanBeChosen) {
  Start();
  // Each menu on the bar, then its items: the caption ("-" for a separator), "grey" when it cannot
  // be chosen. What Windows shows is what the menu table shows.
  HMENU bar = GetMenu(app->frmMain().Window());
  std::vector<std::string> shown;
  for (int menu = 0; menu < GetMenuItemCount(bar); ++menu) {
    char caption[64] = {};
    GetMenuStringA(bar, static_cast<UINT>(menu), caption, sizeof caption, MF_BYPOSITION);
    shown.push_back(caption);
    HMENU popup = GetSubMenu(bar, menu);
    for (int item = 0; item < GetMenuItemCount(popup); ++item) {
      const UINT state = GetMenuState(popup, static_cast<UINT>(item), MF_BYPOSITION);
      GetMenuStringA(popup, static_cast<UINT>(item), caption, sizeof caption, MF_BYPOSITION);
      EXPECT_FALSE(state & MF_CHECKED);
      shown.push_back(std::string((state & MF_SEPARATOR) ? "-" : caption) +
                      ((state & MF_GRAYED) ? " grey" : ""));
    }
  }
  std::vector<std::string> table;
  for (const MenuItemDescription& item : kMainMenu) {
    if (item.visible) table.push_back(std::string(item.caption) + (item.enabled ? "" : " grey"));
  }
  EXPECT_EQ(shown, table);
}

TEST_F(Window, AboutShowsTwoLinesUnderTheApplicationsNameWithOnlyOk) {
  Start();
  BoxAnswerer answerer([](HWND box) { BoxAnswerer::Press(box, IDOK); });
  Choose(MenuRow("menuAbout"));
  ASSERT_EQ(answerer.seen.size(), 1u);
  const SeenBox& box = answerer.seen[0];
  EXPECT_EQ(box.caption, "Kovar Launcher");
  EXPECT_EQ(box.texts, std::vector<std::string>{kAboutText});
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(box.icon);
  EXPECT_EQ(ended, 0);
}

TEST_F(Window, TheFieldsShowTheirTextAndTypingOrPastingReachesIt) {
  dir.Write("config.kvx", "exe Caf\xE9 GL.exe\r\nmap Keep\r\ncpar +skill 2\r\n");
  Start();
  EXPECT_EQ(WindowText(Control(MainControl::comboEXE)), "Caf\xE9 GL.exe");
  EXPECT_EQ(app->frmMain().Drawn().Text(MainControl::lblMapDes), "A keep.");
  for (MainControl combo : {MainControl::comboEXE, MainControl::listMap}) {
    EXPECT_EQ(SendMessageA(Control(combo), CB_GETCURSEL, 0, 0), CB_ERR);
  }
  // Line breaks are dropped, typed or pasted: a settings file holds one value a line. Pasted text
  // arrives as it was copied, also when the clipboard's locale (Greek) lacks its letters.
  Type(Control(MainControl::txtCpar), " +x\r\n");
  const std::wstring pasted = L"a\r\nb caf\u00E9";
  const LCID greek = MAKELCID(MAKELANGID(LANG_GREEK, SUBLANG_DEFAULT), SORT_DEFAULT);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  for (const auto& [format, bytes, size] :
       {std::tuple<UINT, const void*, std::size_t>{CF_UNICODETEXT, pasted.c_str(),
                                                   (pasted.size() + 1) * sizeof(wchar_t)},
        {CF_LOCALE, &greek, sizeof greek}}) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
  }
  CloseClipboard();
  SendMessageA(Control(MainControl::txtCpar), WM_PASTE, 0, 0);
  EXPECT_EQ(Text(TextField::CustomParams), "+skill 2 +xab caf\xE9");
  Type(ComboField(Control(MainControl::comboEXE)), "2");
  EXPECT_EQ(Text(TextField::EngineText), "Caf\xE9 GL.exe2");
  Type(ComboField(Control(MainControl::listMap)), "x");
  EXPECT_EQ(Text(TextField::MapSelection), "Keepx");
}

TEST_F(Window, AValueNobodyEditedIsSavedWithItsOwnBytes) {
  // Bytes that no code page shows as they are, and a line the save drops.
  const std::string config = "exe \x81\x8D\x8F\x90\x9D.exe\r\nmap \xFF\xFE\r\ncpar \x80\xA0\r\n";
  dir.Write("config.kvx", config + "# old\r\n");
  // The map does not exist: its failure is shown, its name stays what the file said.
  BoxAnswerer errors([](HWND box) { BoxAnswerer::Press(box, IDOK); });
  Start();
  EXPECT_EQ(errors.seen.size(), 1u);
  SendMessageA(app->frmMain().Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dir.Read("config.kvx"), config);
}

TEST_F(Window, ChoosingAnEntryReachesTheBehaviourAndThePreviewTakesItsSize) {
  dir.Write("data/Caf\xE9.kvx", "e2m1\r\nA caf\xE9.\r\n");
  dir.Write("data/Caf\xE9.bmp", kovar::test::MakeBmp(8, 8));
  Start();
  HWND list = ComboList(Control(MainControl::listMap));
  const auto& maps = app->Core().State().List(ListField::MapList);
  auto row = [&maps](const char* name) {
    return static_cast<int>(std::find(maps.begin(), maps.end(), name) - maps.begin());
  };
  ClickEntry(list, row("Caf\xE9"));
  EXPECT_EQ(Text(TextField::MapSelection), "Caf\xE9");
  EXPECT_EQ(app->frmMain().Drawn().Text(MainControl::lblMapDes), "A caf\xE9.");
  // The preview shows at its own size from the field's top-left corner; a map without one
  // leaves the field at its own size.
  struct Case {
    const char* map;
    RECT preview;
  };
  for (const Case& c : std::vector<Case>{{"Castle", {120, 16, 280, 136}},
                                         {"Keep", {120, 16, 220, 66}},
                                         {"Gone", {120, 16, 240, 106}}}) {
    if (std::string(c.map) == "Gone") {
      std::filesystem::remove(dir.File("data/Keep.bmp"));
      BoxAnswerer failure([](HWND box) { BoxAnswerer::Press(box, IDOK); });
      ClickEntry(list, row("Keep"));
      EXPECT_EQ(failure.seen.size(), 1u);
    } else {
      ClickEntry(list, row(c.map));
    }
    const RECT preview = PlaceOf(app->frmMain(), MainControl::imgLevel);
    EXPECT_TRUE(EqualRect(&preview, &c.preview)) << c.map;
  }
  // The engine box's list, moved by the keyboard, is a choice too.
  HWND engineField = ComboField(Control(MainControl::comboEXE));
  SetFocus(engineField);
  SendMessageA(engineField, WM_KEYDOWN, VK_DOWN, 0);
  const LRESULT chosen = SendMessageA(Control(MainControl::comboEXE), CB_GETCURSEL, 0, 0);
  ASSERT_NE(chosen, CB_ERR);
  EXPECT_EQ(Text(TextField::EngineText),
            app->Core().State().List(ListField::EngineList)[static_cast<std::size_t>(chosen)]);
}

// An 8-bit run-length encoded BMP of `width` x `height`, every row one run of colour 1.
std::string MakeRle8Bmp(int width, int height) {
  std::string pixels;
  for (int row = 0; row < height; ++row) pixels += {static_cast<char>(width), '\x01', '\0', '\0'};
  pixels += {'\0', '\x01'};
  return BmpFile({.width = width,
                  .height = height,
                  .bits = 8,
                  .compression = 1,  // BI_RLE8
                  .used = 2,
                  .table = ColourTable({0x000000, 0xFFFFFF}),
                  .pixels = pixels,
                  .imageSize = static_cast<std::uint32_t>(pixels.size())});
}

TEST_F(Window, ARunLengthEncodedPreviewShowsAtItsOwnSize) {
  dir.Write("data/Castle.bmp", MakeRle8Bmp(64, 48));
  dir.Write("config.kvx", "exe GLQuake.exe\r\nmap Castle\r\n");
  Start();
  const RECT place = PlaceOf(app->frmMain(), MainControl::imgLevel);
  EXPECT_EQ(place.right - place.left, 64);
  EXPECT_EQ(place.bottom - place.top, 48);
  ASSERT_FALSE(app->frmMain().Drawn().PictureOf(MainControl::imgLevel).Empty());
  ShowWindow(app->frmMain().Window(), SW_SHOW);
  UpdateWindow(app->frmMain().Window());
  Pump();
  HWND panel = Control(MainControl::picMain);
  HDC dc = GetDC(panel);
  EXPECT_EQ(GetPixel(dc, place.left + 10, place.top + 10), RGB(255, 255, 255));
  ReleaseDC(panel, dc);
}

TEST_F(Window, CloseExitAndTheSessionsEndReachTheBehaviour) {
  const std::vector<std::pair<const char*, std::function<void(HWND)>>> ends = {
      {"close", [](HWND window) { SendMessageA(window, WM_CLOSE, 0, 0); }},
      {"Exit",
       [](HWND window) {
         SendMessageA(window, WM_COMMAND, MAKEWPARAM(MenuId(MenuRow("menuExit")), 0), 0);
       }},
      {"session end",
       [](HWND window) {
         EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
         SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
       }},
  };
  for (const auto& [name, end] : ends) {
    SCOPED_TRACE(name);
    WriteFiles();
    ended = 0;
    Start();
    end(app->frmMain().Window());
    EXPECT_EQ(ended, 1);
    // Ended by way of the behaviour, which saved: the file said "False".
    EXPECT_EQ(dir.Read("settings.kvx"), "frun false\r\nquakedir C:\\Quake\r\n");
    app.reset();
  }
}

}  // namespace
}  // namespace kovar::test
