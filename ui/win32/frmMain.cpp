// The main window built by walking the window description's tables, its menus, its handlers and
// its binding to the launcher state.
#include "frmMain.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "AccessibleControl.h"
#include "ControlClasses.h"
#include "Launcher.h"
#include "MainMenu.h"
#include "OwnedWindowProc.h"
#include "ResourceIds.h"
#include "TextControls.h"

namespace kovar::win32 {

namespace {

constexpr char kWindowClass[] = "KovarLauncherMain";
// The name of the icon in the program's resources.
constexpr char kIconName[] = "IDI_ICON1";
// The engine box's drop-down list shows this many entries before it scrolls.
constexpr int kEngineListRows = 8;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int ArtworkResource(Artwork artwork) {
  switch (artwork) {
    case Artwork::Main:
      return KOVAR_IDR_MAIN;
    case Artwork::SinglePlayer:
      return KOVAR_IDR_SP;
    case Artwork::MultiPlayer:
      return KOVAR_IDR_MP;
    case Artwork::Join:
      return KOVAR_IDR_JOIN;
    case Artwork::StartSinglePlayer:
      return KOVAR_IDR_START_SP;
    case Artwork::Tile:
      return KOVAR_IDR_TILE;
    case Artwork::Logo:
      return KOVAR_IDR_LOGO;
    case Artwork::None:
      break;
  }
  return 0;
}

HFONT CreateTitleFont() {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  // Points to pixels, rounded; a negative height asks for the character height without leading.
  const int height = -static_cast<int>(kTitleFont.points * pixelsPerInch / 72.0 + 0.5);
  return CreateFontA(height, 0, 0, 0, kTitleFont.weight, kTitleFont.italic ? TRUE : FALSE, FALSE,
                     FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, kTitleFont.face);
}

void RedrawUnder(HWND control) {
  // A label paints no background: what it showed before is cleared by its container.
  RECT place;
  GetWindowRect(control, &place);
  HWND container = GetParent(control);
  MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&place), 2);
  RedrawWindow(container, &place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

frmMain::frmMain(Launcher& launcher) : launcher_(launcher) {
  endProgram_ = [this] {
    ShowWindow(window_, SW_HIDE);
    PostQuitMessage(0);
  };
  RegisterControlClasses();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = OwnedWindowProc<frmMain>;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, kIconName);
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageA(instance, kIconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = SolidBrush(kWindowBackground);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExA(&windowClass);

  HMENU menu = CreateMainMenu();
  RECT frame{0, 0, Pixels(kMainWindowFrame.clientWidth), Pixels(kMainWindowFrame.clientHeight)};
  AdjustWindowRectEx(&frame, kWindowStyle, TRUE, 0);
  CreateWindowExA(0, kWindowClass, kMainWindowFrame.caption, kWindowStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, menu,
                  instance, this);
  // The menu bar may take more room than the frame allowed for: the client area keeps its size.
  RECT client;
  GetClientRect(window_, &client);
  const int extraHeight = Pixels(kMainWindowFrame.clientHeight) - client.bottom;
  if (extraHeight != 0) {
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + extraHeight, SWP_NOMOVE | SWP_NOZORDER);
  }
  BuildControls();
  Form_Load();
}

frmMain::~frmMain() {
  launcher_.State().RemoveObserver(this);
  if (window_) DestroyWindow(window_);
  if (titleFont_) DeleteObject(titleFont_);
}

LRESULT frmMain::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (!ended_) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC: {
      // Labels: white text on whatever lies under them.
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ToColorRef(kLabelText));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ToColorRef(kFieldText));
      SetBkColor(dc, ToColorRef(kFieldBackground));
      return reinterpret_cast<LRESULT>(SolidBrush(kFieldBackground));
    }
    case WM_CLOSE:
      Form_Unload();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends with or without the program's consent: save while there is time, and
      // never wait on a box that nobody may be there to close.
      if (wParam) {
        if (sessionEnding_) sessionEnding_();
        EndProgram();
      }
      return 0;
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void frmMain::BuildControls() {
  titleFont_ = CreateTitleFont();
  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const ControlDescription& control = kMainWindowControls[row];
    controls_[row] = MakeControl(control, ControlId(static_cast<MainControl>(row)));
  }

  // Stacking: under the dialog manager, Tab follows the stacking order, so the fields that take
  // the focus go first, in focus order, then every other row in table order. The fields overlap
  // none of the rows they pass, so every overlap keeps the table's order.
  std::vector<std::size_t> order(kMainWindowControls.size());
  for (std::size_t row = 0; row < order.size(); ++row) order[row] = row;
  std::stable_sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
    const int focusA = kMainWindowControls[a].focusOrder;
    const int focusB = kMainWindowControls[b].focusOrder;
    return focusA != 0 && (focusB == 0 || focusA < focusB);
  });
  for (std::size_t row : order) {
    SetWindowPos(controls_[row], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

HWND frmMain::MakeControl(const ControlDescription& row, int id) {
  HWND container = row.container == Container::Window ? window_ : Control(PanelOf(row.container));
  const PixelsRect place = Pixels(row.place);
  const DWORD visible = row.visible ? WS_VISIBLE : 0;
  const DWORD tabStop = row.focusOrder > 0 ? WS_TABSTOP : 0;
  const char* windowClass = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  int height = place.height;
  switch (row.kind) {
    case ControlKind::Panel:
      windowClass = kPanelClass;
      // The dialog manager walks into the panels to find the fields for Tab.
      exStyle = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::MapBox:
      windowClass = "COMBOBOX";
      style = CBS_SIMPLE | CBS_NOINTEGRALHEIGHT | CBS_AUTOHSCROLL | WS_VSCROLL;
      break;
    case ControlKind::EngineBox:
      windowClass = "COMBOBOX";
      style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
      // A drop-down combo box is created with the height of its open list; its own height is
      // the field's, set below.
      height = place.height * (kEngineListRows + 1);
      break;
    case ControlKind::TextBox:
      windowClass = "EDIT";
      style = ES_AUTOHSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Label:
      windowClass = "STATIC";
      // Map texts come from map packs: an "&" in them is shown, never taken for an access key.
      style =
          SS_NOPREFIX | (&row == &Describe(MainControl::lblMapDes) ? SS_LEFT : SS_LEFTNOWORDWRAP);
      break;
    case ControlKind::Picture:
    case ControlKind::ClickableImage: {
      HWND image = CreateImage(container, id, place, row.kind == ControlKind::ClickableImage);
      if (!visible) ShowWindow(image, SW_HIDE);
      Picture picture;
      if (const int resource = ArtworkResource(row.picture)) picture.LoadResource(resource);
      SetImagePicture(image, std::move(picture), place);
      DescribeImage(image, row.accessibleName, row.accessibleRole);
      return image;
    }
    case ControlKind::Line:
      windowClass = kLineClass;
      break;
    case ControlKind::Button:
    case ControlKind::List:
      // Controls of the debug console only.
      break;
  }
  HWND control = CreateWindowExA(
      exStyle, windowClass, row.text, WS_CHILD | visible | tabStop | style, place.left, place.top,
      place.width, height, container, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT,
               reinterpret_cast<WPARAM>(row.titleFont ? titleFont_ : MessageFont()), FALSE);
  if (*row.accessibleName || row.accessibleRole != AccessibleRole::Standard) {
    DescribeForScreenReaders(control, row);
  }
  if (row.kind == ControlKind::TextBox) DropLineBreaks(control);
  if (row.kind == ControlKind::MapBox || row.kind == ControlKind::EngineBox) {
    DropLineBreaks(ComboField(control));
  }
  if (row.kind == ControlKind::EngineBox) {
    // The field's height is the selection field's item height plus its frame.
    for (int attempt = 0; attempt < 3; ++attempt) {
      RECT now;
      GetWindowRect(control, &now);
      const int off = place.height - (now.bottom - now.top);
      if (off == 0) break;
      const LRESULT item = SendMessageA(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
      SendMessageA(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item + off);
    }
  }
  return control;
}

void frmMain::OnCommand(int id, int code) {
  if (id >= kFirstMenuId && id < MenuId(kMainMenu.size())) {
    switch (kMainMenu[static_cast<std::size_t>(id - kFirstMenuId)].command) {
      case MenuCommand::Exit:
        menuExit_Click();
        break;
      case MenuCommand::DebugWindow:
        menuDebugMode_Click();
        break;
      case MenuCommand::SetQuakeDirectory:
        menuSQD_Click();
        break;
      case MenuCommand::About:
        menuAbout_Click();
        break;
      case MenuCommand::None:
        break;
    }
    return;
  }
  if (id < kFirstControlId || id >= ControlId(MainControl::Count)) return;
  const auto control = static_cast<MainControl>(id - kFirstControlId);
  switch (control) {
    case MainControl::comboEXE:
      if (code == CBN_EDITCHANGE) PlayerEdited(TextField::EngineText, Control(control));
      if (code == CBN_SELCHANGE) {
        PlayerChose(TextField::EngineText, ListField::EngineList, Control(control));
      }
      break;
    case MainControl::listMap:
      if (code == CBN_EDITCHANGE) PlayerEdited(TextField::MapSelection, Control(control));
      if (code == CBN_SELCHANGE) {
        PlayerChose(TextField::MapSelection, ListField::MapList, Control(control));
        listMap_Click();
      }
      break;
    case MainControl::txtCpar:
      if (code == EN_CHANGE) PlayerEdited(TextField::CustomParams, Control(control));
      break;
    default:
      if (code == STN_CLICKED) OnClick(control);
      break;
  }
}

void frmMain::OnClick(MainControl control) {
  switch (control) {
    case MainControl::imgMain:
      imgMain_Click();
      break;
    case MainControl::imgSP:
      imgSP_Click();
      break;
    case MainControl::imgMP:
      imgMP_Click();
      break;
    case MainControl::imgJoin:
      imgJoin_Click();
      break;
    case MainControl::imgStartSP:
      imgStartSP_Click();
      break;
    default:
      break;
  }
}

void frmMain::Show() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  SetFocus(Control(MainControl::comboEXE));
}

Result frmMain::PreviewChanged() {
  const std::string& bytes = launcher_.State().Preview();
  Picture picture;
  if (!bytes.empty()) {
    if (std::string why = picture.Load(bytes); !why.empty()) return Result::Failure(why);
  }
  SetImagePicture(Control(MainControl::imgLevel), std::move(picture),
                  Pixels(Describe(MainControl::imgLevel).place));
  return Result::Ok();
}

void frmMain::SetDebugWindowShower(std::function<void()> show) {
  showDebugWindow_ = std::move(show);
}

void frmMain::SetProgramEnder(std::function<void()> end) { endProgram_ = std::move(end); }

void frmMain::SetSessionEndNotice(std::function<void()> notice) {
  sessionEnding_ = std::move(notice);
}

void frmMain::TextChanged(TextField field) {
  if (!takingEdit_) ShowText(field);
}

void frmMain::ListChanged(ListField field) { ShowList(field); }

void frmMain::LogAppended(std::size_t) {}

void frmMain::ShowText(TextField field) {
  const std::string& text = launcher_.State().Text(field);
  switch (field) {
    case TextField::EngineText:
      SetControlText(Control(MainControl::comboEXE), text);
      break;
    case TextField::MapSelection:
      SetControlText(Control(MainControl::listMap), text);
      break;
    case TextField::CustomParams:
      SetControlText(Control(MainControl::txtCpar), text);
      break;
    case TextField::MapTitle:
      SetControlText(Control(MainControl::lblMapTitle), text);
      RedrawUnder(Control(MainControl::lblMapTitle));
      // A screen reader names the preview by the map it shows.
      DescribeImage(Control(MainControl::imgLevel), text,
                    Describe(MainControl::imgLevel).accessibleRole);
      break;
    case TextField::MapDescription:
      SetControlText(Control(MainControl::lblMapDes), text);
      RedrawUnder(Control(MainControl::lblMapDes));
      break;
    default:
      break;
  }
}

void frmMain::ShowList(ListField field) {
  HWND combo = Control(field == ListField::MapList ? MainControl::listMap : MainControl::comboEXE);
  const auto& entries = launcher_.State().List(field);
  std::size_t bytes = 0;
  for (const std::string& entry : entries) bytes += entry.size() + 1;
  // Filling the list selects nothing and leaves the field's text as it was.
  const std::string text = WindowText(combo);
  settingText_ = true;
  SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  SendMessageA(combo, CB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
  // The entries go straight to the combo box's own list box: the combo box would only pass each
  // one on, and with 10,000 maps that second message per entry costs a third of the filling.
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo, &parts);
  for (const std::string& entry : entries) {
    SendMessageA(parts.hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SetWindowTextA(combo, text.c_str());
  SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  settingText_ = false;
  RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmMain::SetControlText(HWND control, const std::string& text) {
  if (WindowText(control) == text) return;
  settingText_ = true;
  SetWindowTextA(control, text.c_str());
  settingText_ = false;
}

void frmMain::PlayerEdited(TextField field, HWND control) {
  if (settingText_) return;
  const std::string text = WindowText(control);
  // A field that still shows the value it was given keeps that value's exact bytes.
  if (ShowsAs(launcher_.State().Text(field), text)) return;
  takingEdit_ = true;
  launcher_.State().SetText(field, text);
  takingEdit_ = false;
}

void frmMain::PlayerChose(TextField field, ListField list, HWND combo) {
  // The field does not show the entry yet when this is told: the entry's own bytes are taken.
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  const auto& entries = launcher_.State().List(list);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
  takingEdit_ = true;
  launcher_.State().SetText(field, entries[static_cast<std::size_t>(index)]);
  takingEdit_ = false;
}

void frmMain::EndProgram() {
  if (ended_) return;
  ended_ = true;
  // What could not be saved has been shown; the program ends all the same.
  (void)launcher_.SaveCFG();
  if (endProgram_) endProgram_();
}

void frmMain::Form_Load() {
  for (TextField field : {TextField::EngineText, TextField::MapSelection, TextField::CustomParams,
                          TextField::MapTitle, TextField::MapDescription}) {
    ShowText(field);
  }
  ShowList(ListField::EngineList);
  ShowList(ListField::MapList);
  // A picture set before the window existed; one it cannot draw stays unshown.
  (void)PreviewChanged();
  launcher_.State().AddObserver(this);
  launcher_.FillLists();
}

void frmMain::Form_Unload() { EndProgram(); }

void frmMain::menuExit_Click() { EndProgram(); }

void frmMain::menuSQD_Click() { launcher_.SetQuakeDir(); }

void frmMain::menuDebugMode_Click() {
  if (showDebugWindow_) showDebugWindow_();
}

void frmMain::menuAbout_Click() { MessageBoxA(window_, kAboutText, kApplicationName, MB_OK); }

void frmMain::imgMain_Click() {
  HidePanels();
  ShowWindow(Control(MainControl::picMain), SW_SHOW);
}

void frmMain::imgSP_Click() {
  HidePanels();
  ShowWindow(Control(MainControl::picSP), SW_SHOW);
}

void frmMain::imgMP_Click() { MessageBeep(MB_OK); }

void frmMain::imgJoin_Click() { MessageBeep(MB_OK); }

void frmMain::imgStartSP_Click() { (void)launcher_.StartGame(); }

void frmMain::listMap_Click() { (void)launcher_.LoadMap(); }

void frmMain::HidePanels() {
  ShowWindow(Control(MainControl::picMain), SW_HIDE);
  ShowWindow(Control(MainControl::picSP), SW_HIDE);
}

}  // namespace kovar::win32
