// The Windows main window as the player meets it: where every control lies, what lies in front,
// the panels, the menus, the About box, the fields bound to the launcher state, the map list,
// and the program's end by close, Exit and the end of the Windows session.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <utility>

#include "ControlClasses.h"
#include "WindowTestSupport.h"

namespace kovar::win32::test {
namespace {

std::size_t MenuRow(std::string_view name) {
  for (std::size_t row = 0; row < kMainMenu.size(); ++row) {
    if (kMainMenu[row].name == name) return row;
  }
  ADD_FAILURE() << "no menu item " << name;
  return 0;
}

// A control's rectangle in its container's client area.
RECT PlaceOf(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

using Window = LauncherWindows;

TEST_F(Window, EveryControlLiesWhereTheTableSaysInItsContainer) {
  Start();
  const frmMain& main = app->MainWindow();
  RECT client;
  GetClientRect(main.Window(), &client);
  EXPECT_EQ(client.right, 399);
  EXPECT_EQ(client.bottom, 291);
  EXPECT_EQ(WindowText(main.Window()), "Tarnfield - Kovar Launcher");
  const LONG_PTR style = GetWindowLongPtrA(main.Window(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the main window has a fixed size";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const ControlDescription& described = kMainWindowControls[row];
    SCOPED_TRACE(described.name);
    HWND control = main.Control(static_cast<MainControl>(row));
    ASSERT_TRUE(control);
    const HWND container = described.container == Container::Window
                               ? main.Window()
                               : main.Control(PanelOf(described.container));
    EXPECT_EQ(GetParent(control), container);
    const PixelsRect want = Pixels(described.place);
    const RECT got = PlaceOf(control);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right - got.left, want.width);
    EXPECT_EQ(got.bottom - got.top, want.height);
    EXPECT_EQ(IsWindowVisible(control) != FALSE,
              described.visible && (container == main.Window() || IsWindowVisible(container)));
  }
}

TEST_F(Window, TheTitleHasItsOwnFontAndEveryOtherControlTheMessageFont) {
  Start();
  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const ControlDescription& described = kMainWindowControls[row];
    HWND control = app->MainWindow().Control(static_cast<MainControl>(row));
    auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (described.kind != ControlKind::Label && !font) continue;
    SCOPED_TRACE(described.name);
    LOGFONTA shown{};
    ASSERT_TRUE(GetObjectA(font, sizeof shown, &shown));
    if (described.titleFont) {
      EXPECT_STREQ(shown.lfFaceName, "MS Sans Serif");
      EXPECT_EQ(shown.lfWeight, 700);
      EXPECT_TRUE(shown.lfItalic);
      // 9.75 points at the screen's pixels per inch.
      HDC screen = GetDC(nullptr);
      EXPECT_EQ(-shown.lfHeight, MulDiv(975, GetDeviceCaps(screen, LOGPIXELSY), 7200));
      ReleaseDC(nullptr, screen);
    } else {
      EXPECT_EQ(font, MessageFont());
    }
  }
}

TEST_F(Window, EarlierRowsLieInFrontAndTabFollowsTheFocusOrder) {
  Start();
  const frmMain& main = app->MainWindow();
  // Stacking position of each control among its siblings, 0 for the front-most.
  auto depth = [](HWND control) {
    int position = 0;
    for (HWND sibling = GetWindow(control, GW_HWNDFIRST); sibling != control;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      ++position;
    }
    return position;
  };
  int overlaps = 0;
  for (std::size_t a = 0; a < kMainWindowControls.size(); ++a) {
    for (std::size_t b = a + 1; b < kMainWindowControls.size(); ++b) {
      if (kMainWindowControls[a].container != kMainWindowControls[b].container) continue;
      HWND front = main.Control(static_cast<MainControl>(a));
      HWND back = main.Control(static_cast<MainControl>(b));
      RECT frontPlace = PlaceOf(front);
      RECT backPlace = PlaceOf(back);
      RECT shared;
      if (!IntersectRect(&shared, &frontPlace, &backPlace)) continue;
      ++overlaps;
      EXPECT_LT(depth(front), depth(back))
          << kMainWindowControls[a].name << " must lie in front of " << kMainWindowControls[b].name;
    }
  }
  // imgTile1 over imgLogo1, the panels over each other, txtCpar over lblCustomPar, lblTitle over
  // Line1, imgLevel over lblMapDes's top at least.
  EXPECT_GE(overlaps, 4);

  HWND window = main.Window();
  HWND engine = Control(MainControl::comboEXE);
  EXPECT_EQ(GetNextDlgTabItem(window, engine, FALSE), Control(MainControl::txtCpar));
  EXPECT_EQ(GetNextDlgTabItem(window, Control(MainControl::txtCpar), FALSE),
            Control(MainControl::listMap));
  EXPECT_EQ(GetNextDlgTabItem(window, Control(MainControl::listMap), FALSE), engine);
}

TEST_F(Window, TheNavigationImagesSwitchPanelsAndTheOthersOnlyBeep) {
  struct Case {
    std::vector<MainControl> clicks;
    bool mainPanel;
  };
  const std::vector<Case> cases = {
      {{}, true},
      {{MainControl::imgSP}, false},
      {{MainControl::imgSP, MainControl::imgMain}, true},
      {{MainControl::imgMain}, true},
      {{MainControl::imgSP, MainControl::imgSP}, false},
      {{MainControl::imgSP, MainControl::imgMP}, false},
      {{MainControl::imgJoin, MainControl::imgMP}, true},
  };
  Start();
  for (const Case& c : cases) {
    Click(Control(MainControl::imgMain));
    for (MainControl image : c.clicks) Click(Control(image));
    EXPECT_EQ(IsWindowVisible(Control(MainControl::picMain)) != FALSE, c.mainPanel);
    EXPECT_EQ(IsWindowVisible(Control(MainControl::picSP)) != FALSE, !c.mainPanel);
    EXPECT_EQ(WindowText(Control(MainControl::lblTitle)), "Main");
  }
  EXPECT_EQ(Text(TextField::EngineText), "GLQuake.exe");
  EXPECT_EQ(ended, 0);
}

TEST_F(Window, TheMenusShowWhatCanBeChosen) {
  struct Item {
    int menu;
    const char* caption;  // empty for a separator
    bool grey;
  };
  const std::vector<Item> expected = {
      {0, "", true},
      {0, "E&xit", false},
      {1, "&Debug Window", true},
      {1, "&Set Quake Directory", false},
      {2, "&About", false},
  };
  Start();
  HMENU bar = GetMenu(app->MainWindow().Window());
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  std::vector<std::string> barCaptions;
  std::vector<Item> seen;
  std::vector<std::string> seenCaptions;
  for (int menu = 0; menu < 3; ++menu) {
    char caption[64] = {};
    GetMenuStringA(bar, static_cast<UINT>(menu), caption, sizeof caption, MF_BYPOSITION);
    barCaptions.push_back(caption);
    HMENU popup = GetSubMenu(bar, menu);
    for (int item = 0; item < GetMenuItemCount(popup); ++item) {
      const UINT state = GetMenuState(popup, static_cast<UINT>(item), MF_BYPOSITION);
      GetMenuStringA(popup, static_cast<UINT>(item), caption, sizeof caption, MF_BYPOSITION);
      seenCaptions.push_back((state & MF_SEPARATOR) ? "" : caption);
      seen.push_back({menu, nullptr, (state & MF_GRAYED) != 0});
      EXPECT_FALSE(state & MF_CHECKED);
    }
  }
  EXPECT_EQ(barCaptions, (std::vector<std::string>{"&File", "&Tools", "&Help"}));
  ASSERT_EQ(seen.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(seen[i].menu, expected[i].menu) << i;
    EXPECT_EQ(seenCaptions[i], expected[i].caption) << i;
    EXPECT_EQ(seen[i].grey, expected[i].grey) << expected[i].caption;
  }
}

TEST_F(Window, AboutShowsTwoLinesUnderTheApplicationsNameWithOnlyOk) {
  Start();
  BoxAnswerer answerer([](HWND box) { BoxAnswerer::Press(box, IDOK); });
  Choose(MenuRow("menuAbout"));
  ASSERT_EQ(answerer.seen.size(), 1u);
  const SeenBox& box = answerer.seen[0];
  EXPECT_EQ(box.caption, "Kovar Launcher");
  EXPECT_EQ(box.texts, std::vector<std::string>{"Kovar Launcher By Velmont\rVersion 0.1"});
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(box.icon);
  EXPECT_EQ(ended, 0);
}

TEST_F(Window, TheFieldsShowTheStateAndThePlayersEditsReachIt) {
  dir.Write("config.kvx", "exe Caf\xE9 GL.exe\r\nmap Keep\r\ncpar +skill 2\r\n");
  Start();
  // What the core holds, the fields show.
  EXPECT_EQ(WindowText(Control(MainControl::comboEXE)), "Caf\xE9 GL.exe");
  EXPECT_EQ(WindowText(Control(MainControl::listMap)), "Keep");
  EXPECT_EQ(WindowText(Control(MainControl::txtCpar)), "+skill 2");
  EXPECT_EQ(WindowText(Control(MainControl::lblMapTitle)), "Keep");
  EXPECT_EQ(WindowText(Control(MainControl::lblMapDes)), "A keep.");
  EXPECT_TRUE(app->Core().RunCommand("cpar -width 640").ok());
  EXPECT_EQ(WindowText(Control(MainControl::txtCpar)), "-width 640");

  // Filling the lists selected nothing.
  for (MainControl combo : {MainControl::comboEXE, MainControl::listMap}) {
    EXPECT_EQ(SendMessageA(Control(combo), CB_GETCURSEL, 0, 0), CB_ERR);
  }
  EXPECT_EQ(SendMessageA(Control(MainControl::comboEXE), CB_GETCOUNT, 0, 0), 5);

  // What the player types, the core holds; line breaks are dropped, typed or pasted.
  Type(Control(MainControl::txtCpar), " +x\r\n");
  EXPECT_EQ(Text(TextField::CustomParams), "-width 640 +x");
  const std::string pasted = "a\r\nb";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, pasted.size() + 1);
  memcpy(GlobalLock(memory), pasted.c_str(), pasted.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  SendMessageA(Control(MainControl::txtCpar), WM_PASTE, 0, 0);
  EXPECT_EQ(Text(TextField::CustomParams), "-width 640 +xab");
  Type(ComboField(Control(MainControl::comboEXE)), "2");
  EXPECT_EQ(Text(TextField::EngineText), "Caf\xE9 GL.exe2");

  // Typing a listed map's name loads nothing.
  HWND mapField = ComboField(Control(MainControl::listMap));
  SendMessageA(mapField, EM_SETSEL, 0, -1);
  SendMessageA(mapField, WM_KEYDOWN, VK_DELETE, 1);
  Type(mapField, "Castle");
  EXPECT_EQ(Text(TextField::MapSelection), "Castle");
  EXPECT_EQ(Text(TextField::MapTitle), "Keep");
  EXPECT_EQ(ended, 0);
}

TEST_F(Window, AValueNobodyEditedIsSavedWithItsOwnBytes) {
  // Bytes that no code page shows as they are, and a line the save drops.
  const std::string config = "exe \x81\x8D\x8F\x90\x9D.exe\r\nmap \xFF\xFE\r\ncpar \x80\xA0\r\n";
  dir.Write("config.kvx", config + "# old\r\n");
  // The map does not exist: its failure is shown, its name stays what the file said.
  BoxAnswerer errors([](HWND box) { BoxAnswerer::Press(box, IDOK); });
  Start();
  EXPECT_EQ(errors.seen.size(), 1u);
  SendMessageA(app->MainWindow().Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dir.Read("config.kvx"), config);
}

TEST_F(Window, ChoosingAnEntryTakesTheEntrysOwnBytesAndLoadsTheMap) {
  dir.Write("data/Caf\xE9.kvx", "e2m1\r\nA caf\xE9.\r\n");
  dir.Write("data/Caf\xE9.bmp", kovar::test::MakeBmp(8, 8));
  Start();
  HWND list = ComboList(Control(MainControl::listMap));
  const auto& maps = app->Core().State().List(ListField::MapList);
  ASSERT_EQ(maps.size(), 3u);
  for (int row = 0; row < 3; ++row) {
    ClickEntry(list, row);
    const std::string& entry = maps[static_cast<std::size_t>(row)];
    EXPECT_EQ(Text(TextField::MapSelection), entry);
    EXPECT_EQ(Text(TextField::MapTitle), entry);
    EXPECT_EQ(WindowText(Control(MainControl::lblMapTitle)), entry);
  }
  // Each selection loads again, also of the map already shown.
  dir.Write("data/Keep.kvx", "e1m2\r\nA keep, rebuilt.\r\n");
  const auto keep = std::find(maps.begin(), maps.end(), "Keep") - maps.begin();
  ClickEntry(list, static_cast<int>(keep));
  ClickEntry(list, static_cast<int>(keep));
  EXPECT_EQ(WindowText(Control(MainControl::lblMapDes)), "A keep, rebuilt.");
  EXPECT_EQ(Text(TextField::MapLevel), "e1m2");

  // The preview shows at its own size from the field's top-left corner; a map without one
  // leaves the field at its own size.
  const auto castle = std::find(maps.begin(), maps.end(), "Castle") - maps.begin();
  ClickEntry(list, static_cast<int>(castle));
  RECT preview = PlaceOf(Control(MainControl::imgLevel));
  EXPECT_EQ(preview.left, 120);
  EXPECT_EQ(preview.top, 16);
  EXPECT_EQ(preview.right - preview.left, 160);
  EXPECT_EQ(preview.bottom - preview.top, 120);
  ClickEntry(list, static_cast<int>(keep));
  preview = PlaceOf(Control(MainControl::imgLevel));
  EXPECT_EQ(preview.right - preview.left, 100);
  EXPECT_EQ(preview.bottom - preview.top, 50);
  {
    // A map whose preview is gone: its failure is shown and the field is left empty, at its size.
    std::filesystem::remove(dir.File("data/Keep.bmp"));
    BoxAnswerer failure([](HWND box) { BoxAnswerer::Press(box, IDOK); });
    ClickEntry(list, static_cast<int>(keep));
    EXPECT_EQ(failure.seen.size(), 1u);
  }
  preview = PlaceOf(Control(MainControl::imgLevel));
  EXPECT_EQ(preview.right - preview.left, 120);
  EXPECT_EQ(preview.bottom - preview.top, 90);
  EXPECT_TRUE(ImagePicture(Control(MainControl::imgLevel)).Empty());

  // Choosing an engine takes the entry and nothing else runs.
  HWND engineField = ComboField(Control(MainControl::comboEXE));
  SetFocus(engineField);
  SendMessageA(engineField, WM_KEYDOWN, VK_DOWN, 0);
  const LRESULT chosen = SendMessageA(Control(MainControl::comboEXE), CB_GETCURSEL, 0, 0);
  ASSERT_NE(chosen, CB_ERR);
  EXPECT_EQ(Text(TextField::EngineText),
            app->Core().State().List(ListField::EngineList)[static_cast<std::size_t>(chosen)]);
  EXPECT_EQ(Text(TextField::MapTitle), "Keep");
}

// An 8-bit run-length encoded BMP of `width` x `height`, every row one run of colour 1.
std::string MakeRle8Bmp(int width, int height) {
  std::string pixels;
  for (int row = 0; row < height; ++row) {
    pixels += {static_cast<char>(width), '\x01', '\0', '\0'};
  }
  pixels += {'\0', '\x01'};
  const std::uint32_t offset = 14 + 40 + 2 * 4;
  std::string bmp(offset, '\0');
  auto put = [&bmp](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      bmp[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, offset + static_cast<std::uint32_t>(pixels.size()), 4);
  put(10, offset, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 8, 2);
  put(30, 1, 4);  // BI_RLE8
  put(34, static_cast<std::uint32_t>(pixels.size()), 4);
  put(46, 2, 4);  // two colours
  put(58, 0xFFFFFF, 4);
  return bmp + pixels;
}

TEST_F(Window, ARunLengthEncodedPreviewShowsAtItsOwnSize) {
  dir.Write("data/Castle.bmp", MakeRle8Bmp(64, 48));
  dir.Write("config.kvx", "exe GLQuake.exe\r\nmap Castle\r\n");
  Start();
  HWND preview = Control(MainControl::imgLevel);
  const RECT place = PlaceOf(preview);
  EXPECT_EQ(place.right - place.left, 64);
  EXPECT_EQ(place.bottom - place.top, 48);
  ASSERT_FALSE(ImagePicture(preview).Empty());
  ShowWindow(app->MainWindow().Window(), SW_SHOW);
  UpdateWindow(app->MainWindow().Window());
  Pump();
  HDC dc = GetDC(preview);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 255, 255));
  ReleaseDC(preview, dc);
}

TEST_F(Window, CloseExitAndTheSessionsEndEachSaveOnce) {
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
    Type(Control(MainControl::txtCpar), " +y");
    end(app->MainWindow().Window());
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(dir.Read("config.kvx"), "exe GLQuake.exe\r\ncpar +skill 2 +y\r\n");
    EXPECT_EQ(dir.Read("settings.kvx"), "frun false\r\nquakedir C:\\Quake\r\n");
    // Nothing runs after the end: a second request neither saves nor ends again.
    std::filesystem::remove(dir.File("config.kvx"));
    end(app->MainWindow().Window());
    Click(Control(MainControl::imgSP));
    EXPECT_FALSE(dir.Has("config.kvx"));
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(IsWindowVisible(Control(MainControl::picMain)));
    app.reset();
  }
}

TEST_F(Window, TheSessionsEndNeverWaitsOnABoxWhenTheSaveFails) {
  Start();
  Type(Control(MainControl::txtCpar), " +y");
  // A reader that allows no renaming keeps config.kvx from being replaced. A box now would wait
  // for a player who may be gone, and the unasked-box guard would fail the test.
  HANDLE reader =
      CreateFileA(dir.File("config.kvx").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  HWND window = app->MainWindow().Window();
  EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  CloseHandle(reader);
  EXPECT_EQ(ended, 1);
  // The old config.kvx is whole; settings.kvx, which nothing held, was saved.
  EXPECT_EQ(dir.Read("config.kvx"), "exe GLQuake.exe\r\ncpar +skill 2\r\n");
  EXPECT_EQ(dir.Read("settings.kvx"), "frun false\r\nquakedir C:\\Quake\r\n");
}

TEST_F(Window, LabelsLetTheWhiteLineShowUnderTheTitle) {
  Start();
  HWND window = app->MainWindow().Window();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  Pump();
  HDC dc = GetDC(window);
  // Line1 runs at y = 80 across the title's box, right of the word "Main".
  EXPECT_EQ(GetPixel(dc, 300, 80), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 300, 78), RGB(0, 0, 0));
  ReleaseDC(window, dc);
}

}  // namespace
}  // namespace kovar::win32::test
