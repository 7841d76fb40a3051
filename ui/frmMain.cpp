// The main window built from one placement table in twips, its menus, its handlers and its
// binding to the launcher state.
#include "frmMain.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QSignalBlocker>

#include "ImageControl.h"
#include "Launcher.h"
#include "LineBreakStripper.h"
#include "MapBox.h"
#include "MapListModel.h"
#include "TextCodec.h"
#include "Twips.h"

namespace kovar {

namespace {

enum class Container { Window, MainPanel, StartPanel };

// Where a control lies, in twips from the top-left corner of its container's client area.
struct Placement {
  const char* name;
  Container container;
  int left;
  int top;
  int width;
  int height;
};

// Every control's place. Within a container a row lies in front of every later row.
constexpr std::array<Placement, 25> kLayout = {{
    {"picMain", Container::Window, 2040, 1320, 3855, 3015},
    {"listMap", Container::MainPanel, 0, 840, 1575, 1350},
    {"txtCpar", Container::MainPanel, 0, 2640, 3855, 285},
    {"comboEXE", Container::MainPanel, 0, 240, 1575, 315},
    {"lblCustomPar", Container::MainPanel, 0, 2400, 3855, 255},
    {"lblMapDes", Container::MainPanel, 1800, 1800, 2055, 615},
    {"lblMapTitle", Container::MainPanel, 1800, 0, 2055, 255},
    {"imgLevel", Container::MainPanel, 1800, 240, 1800, 1350},
    {"lblMap", Container::MainPanel, 0, 600, 615, 255},
    {"lblExe", Container::MainPanel, 0, 0, 495, 255},
    {"picSP", Container::Window, 2040, 1320, 3855, 2895},
    {"imgStartSP", Container::StartPanel, 960, 0, 1800, 480},
    {"lblTitle", Container::Window, 2040, 960, 3855, 255},
    {"Line1", Container::Window, 2040, 1200, 3840, 0},
    {"imgJoin", Container::Window, 120, 2640, 1800, 480},
    {"imgMain", Container::Window, 120, 840, 1800, 480},
    {"imgMP", Container::Window, 120, 2040, 1800, 480},
    {"imgSP", Container::Window, 120, 1440, 1800, 480},
    {"imgTile6", Container::Window, 5760, 0, 240, 960},
    {"imgTile5", Container::Window, 5520, 0, 240, 960},
    {"imgTile4", Container::Window, 5280, 0, 240, 960},
    {"imgTile3", Container::Window, 5040, 0, 240, 960},
    {"imgTile2", Container::Window, 4800, 0, 240, 960},
    {"imgTile1", Container::Window, 4560, 0, 240, 960},
    {"imgLogo1", Container::Window, 0, 0, 4680, 960},
}};

constexpr int kClientWidth = 5985;
constexpr int kClientHeight = 4365;
QRect PixelRect(const Placement& placement) {
  return kovar::PixelRect(placement.left, placement.top, placement.width, placement.height);
}

const Placement& PlacementOf(const char* name) {
  for (const Placement& placement : kLayout) {
    if (std::string_view(placement.name) == name) return placement;
  }
  qFatal("no placement for the control %s", name);
}

// The system's own About text: its lone carriage return is the message box's line break.
constexpr char kAboutText[] = "Kovar Launcher By Velmont\rVersion 0.1";

ImageControl* MakeImage(QWidget* parent, const char* name, const QString& resource) {
  auto* image = new ImageControl(parent);
  image->setObjectName(name);
  image->SetPicture(QPixmap(resource), PixelRect(PlacementOf(name)).size());
  return image;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  // Map titles and descriptions come from map packs: shown as text, never read as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setFocusPolicy(Qt::NoFocus);
  return label;
}

QFont TitleFont() {
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans"),
                              QStringLiteral("Liberation Sans")});
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(9.75);
  font.setWeight(QFont::Bold);
  font.setItalic(true);
  return font;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, bool visible,
                 bool enabled) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setMenuRole(QAction::NoRole);
  action->setVisible(visible);
  action->setEnabled(enabled);
  return action;
}

}  // namespace

frmMain::frmMain(Launcher& launcher) : launcher_(launcher) {
  endProgram_ = [] { QCoreApplication::exit(0); };
  setWindowTitle(QStringLiteral("Tarnfield - Kovar Launcher"));
  QIcon icon;
  icon.addFile(QStringLiteral(":/assets/kovar-launcher-32.png"));
  icon.addFile(QStringLiteral(":/assets/kovar-launcher-16.png"));
  setWindowIcon(icon);
  BuildControls();
  BuildMenus();
  // The layout is fixed: the window takes the size of its menu bar and client area and keeps it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  Bind();
  Form_Load();
}

frmMain::~frmMain() { launcher_.State().RemoveObserver(this); }

void frmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(Pixels(kClientWidth), Pixels(kClientHeight));
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  palette.setColor(QPalette::Base, Qt::black);
  palette.setColor(QPalette::AlternateBase, Qt::black);
  palette.setColor(QPalette::Text, Qt::white);
  palette.setColor(QPalette::Button, Qt::black);
  palette.setColor(QPalette::ButtonText, Qt::white);
  client->setPalette(palette);
  client->setAutoFillBackground(true);
  setCentralWidget(client);

  picMain_ = new QWidget(client);
  picMain_->setObjectName(QStringLiteral("picMain"));
  picSP_ = new QWidget(client);
  picSP_->setObjectName(QStringLiteral("picSP"));
  picSP_->hide();

  // The fields' frames take their colour from the window colour, which is black here: a grey one
  // keeps the black fields visible on the black window.
  QPalette fieldPalette = palette;
  fieldPalette.setColor(QPalette::Window, QColor(160, 160, 160));

  mapList_ = new MapListModel(launcher_.State().List(ListField::MapList), this);
  listMap_ = new MapBox(mapList_, picMain_);
  listMap_->setPalette(fieldPalette);
  listMap_->setObjectName(QStringLiteral("listMap"));
  listMap_->Field()->setValidator(new LineBreakStripper(listMap_));

  txtCpar_ = new QLineEdit(picMain_);
  txtCpar_->setPalette(fieldPalette);
  txtCpar_->setObjectName(QStringLiteral("txtCpar"));
  txtCpar_->setValidator(new LineBreakStripper(txtCpar_));

  comboEXE_ = new QComboBox(picMain_);
  comboEXE_->setPalette(fieldPalette);
  comboEXE_->setObjectName(QStringLiteral("comboEXE"));
  comboEXE_->setEditable(true);
  // Qt's combo box would otherwise rewrite what the player typed: insert it into the list on
  // Enter, complete it, or replace it by a list entry that matches it without regard to case.
  comboEXE_->setInsertPolicy(QComboBox::NoInsert);
  comboEXE_->setDuplicatesEnabled(true);
  comboEXE_->setCompleter(nullptr);
  comboEXE_->setValidator(new LineBreakStripper(comboEXE_));

  MakeLabel(picMain_, "lblCustomPar", QStringLiteral("Custom Parameters:"));
  lblMapDes_ = MakeLabel(picMain_, "lblMapDes", {});
  lblMapDes_->setWordWrap(true);
  lblMapTitle_ = MakeLabel(picMain_, "lblMapTitle", {});
  imgLevel_ = MakeImage(picMain_, "imgLevel", {});
  MakeLabel(picMain_, "lblMap", QStringLiteral("Map:"));
  MakeLabel(picMain_, "lblExe", QStringLiteral("EXE:"));

  auto* imgStartSP = MakeImage(picSP_, "imgStartSP", QStringLiteral(":/assets/imgStartSP.bmp"));
  QLabel* lblTitle = MakeLabel(client, "lblTitle", QStringLiteral("Main"));
  lblTitle->setFont(TitleFont());
  auto* line = new QWidget(client);
  line->setObjectName(QStringLiteral("Line1"));
  QPalette linePalette = line->palette();
  linePalette.setColor(QPalette::Window, Qt::white);
  line->setPalette(linePalette);
  line->setAutoFillBackground(true);

  auto* imgJoin = MakeImage(client, "imgJoin", QStringLiteral(":/assets/imgJoin.bmp"));
  auto* imgMain = MakeImage(client, "imgMain", QStringLiteral(":/assets/imgMain.bmp"));
  auto* imgMP = MakeImage(client, "imgMP", QStringLiteral(":/assets/imgMP.bmp"));
  auto* imgSP = MakeImage(client, "imgSP", QStringLiteral(":/assets/imgSP.bmp"));
  const QPixmap tile(QStringLiteral(":/assets/imgTile.bmp"));
  for (const char* name :
       {"imgTile6", "imgTile5", "imgTile4", "imgTile3", "imgTile2", "imgTile1"}) {
    auto* image = MakeImage(client, name, {});
    image->SetPicture(tile, PixelRect(PlacementOf(name)).size());
  }
  MakeImage(client, "imgLogo1", QStringLiteral(":/assets/imgLogo1.bmp"));

  // Place every control from the table, then stack each container's controls from the last row
  // up, so that the first row ends in front.
  auto containerOf = [&](Container container) -> QWidget* {
    switch (container) {
      case Container::MainPanel:
        return picMain_;
      case Container::StartPanel:
        return picSP_;
      case Container::Window:
        break;
    }
    return client;
  };
  for (const Placement& placement : kLayout) {
    QWidget* control =
        containerOf(placement.container)
            ->findChild<QWidget*>(QString::fromLatin1(placement.name), Qt::FindDirectChildrenOnly);
    Q_ASSERT(control);
    control->setGeometry(PixelRect(placement));
  }
  for (auto row = kLayout.rbegin(); row != kLayout.rend(); ++row) {
    containerOf(row->container)
        ->findChild<QWidget*>(QString::fromLatin1(row->name), Qt::FindDirectChildrenOnly)
        ->raise();
  }

  setTabOrder(comboEXE_, txtCpar_);
  setTabOrder(txtCpar_, listMap_);

  connect(imgMain, &ImageControl::clicked, this, &frmMain::imgMain_Click);
  connect(imgSP, &ImageControl::clicked, this, &frmMain::imgSP_Click);
  connect(imgMP, &ImageControl::clicked, this, &frmMain::imgMP_Click);
  connect(imgJoin, &ImageControl::clicked, this, &frmMain::imgJoin_Click);
  connect(imgStartSP, &ImageControl::clicked, this, &frmMain::imgStartSP_Click);
}

void frmMain::BuildMenus() {
  QMenu* menuFile = menuBar()->addMenu(QStringLiteral("&File"));
  menuFile->menuAction()->setObjectName(QStringLiteral("menuFile"));
  AddItem(menuFile, "menuNew", QStringLiteral("&Reset Settings"), false, false);
  AddItem(menuFile, "menuOpen", QStringLiteral("&Open Settings"), false, false);
  AddItem(menuFile, "menuSave", QStringLiteral("&Save Settings"), false, false);
  QAction* menuSep1 = menuFile->addSeparator();
  menuSep1->setObjectName(QStringLiteral("menuSep1"));
  // Qt disables whatever it hides, so "not selectable" can only be shown and disabled here.
  menuSep1->setEnabled(false);
  QAction* menuExit = AddItem(menuFile, "menuExit", QStringLiteral("E&xit"), true, true);

  QMenu* menuTools = menuBar()->addMenu(QStringLiteral("&Tools"));
  menuTools->menuAction()->setObjectName(QStringLiteral("menuTools"));
  // Shown greyed: the debug console cannot be opened from the menu.
  QAction* menuDebugMode =
      AddItem(menuTools, "menuDebugMode", QStringLiteral("&Debug Window"), true, false);
  QAction* menuSQD =
      AddItem(menuTools, "menuSQD", QStringLiteral("&Set Quake Directory"), true, true);
  AddItem(menuTools, "menuOptions", QStringLiteral("&Options"), false, false);

  QMenu* menuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  menuHelp->menuAction()->setObjectName(QStringLiteral("menuHelp"));
  QAction* menuAbout = AddItem(menuHelp, "menuAbout", QStringLiteral("&About"), true, true);

  connect(menuExit, &QAction::triggered, this, &frmMain::menuExit_Click);
  connect(menuDebugMode, &QAction::triggered, this, &frmMain::menuDebugMode_Click);
  connect(menuSQD, &QAction::triggered, this, &frmMain::menuSQD_Click);
  connect(menuAbout, &QAction::triggered, this, &frmMain::menuAbout_Click);
}

void frmMain::Bind() {
  connect(comboEXE_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { PlayerEdited(TextField::EngineText, text); });
  // Choosing an entry puts the entry's own bytes into the engine text.
  connect(comboEXE_, &QComboBox::activated, this, [this](int index) {
    const auto& entries = launcher_.State().List(ListField::EngineList);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
    takingEdit_ = true;
    launcher_.State().SetText(TextField::EngineText, entries[static_cast<std::size_t>(index)]);
    takingEdit_ = false;
  });
  connect(txtCpar_, &QLineEdit::textEdited, this,
          [this](const QString& text) { PlayerEdited(TextField::CustomParams, text); });
  connect(listMap_->Field(), &QLineEdit::textEdited, this,
          [this](const QString& text) { PlayerEdited(TextField::MapSelection, text); });
  connect(listMap_, &MapBox::entryChosen, this, [this](int row) {
    const auto& entries = launcher_.State().List(ListField::MapList);
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return;
    launcher_.State().SetText(TextField::MapSelection, entries[static_cast<std::size_t>(row)]);
    listMap_Click();
  });
}

void frmMain::SetPreview(const QImage& picture) {
  imgLevel_->SetPicture(QPixmap::fromImage(picture), PixelRect(PlacementOf("imgLevel")).size());
}

void frmMain::SetDebugWindowShower(std::function<void()> show) {
  showDebugWindow_ = std::move(show);
}

void frmMain::SetProgramEnder(std::function<void()> end) { endProgram_ = std::move(end); }

void frmMain::CloseBySystem() {
  if (saving_) {
    if (endProgram_) endProgram_();
    return;
  }
  Form_Unload();
}

void frmMain::TextChanged(TextField field) {
  if (!takingEdit_) ShowText(field);
}

void frmMain::ListChanged(ListField field) { ShowList(field); }

void frmMain::LogAppended(std::size_t) {}

void frmMain::ShowText(TextField field) {
  const QString text = ToDisplay(launcher_.State().Text(field));
  switch (field) {
    case TextField::EngineText:
      if (comboEXE_->currentText() != text) {
        const QSignalBlocker blocker(comboEXE_);
        comboEXE_->setEditText(text);
      }
      break;
    case TextField::MapSelection:
      if (listMap_->Field()->text() != text) listMap_->Field()->setText(text);
      break;
    case TextField::CustomParams:
      if (txtCpar_->text() != text) txtCpar_->setText(text);
      break;
    case TextField::MapTitle:
      lblMapTitle_->setText(text);
      break;
    case TextField::MapDescription:
      lblMapDes_->setText(text);
      break;
    default:
      break;
  }
}

void frmMain::ShowList(ListField field) {
  if (field == ListField::MapList) {
    mapList_->Reset();
    listMap_->ClearChoice();
    return;
  }
  QStringList entries;
  for (const std::string& entry : launcher_.State().List(field)) entries.append(ToDisplay(entry));
  // Filling the list selects nothing and leaves the engine text as it is.
  const QSignalBlocker blocker(comboEXE_);
  comboEXE_->clear();
  comboEXE_->addItems(entries);
  comboEXE_->setCurrentIndex(-1);
  comboEXE_->setEditText(ToDisplay(launcher_.State().Text(TextField::EngineText)));
}

void frmMain::PlayerEdited(TextField field, const QString& text) {
  takingEdit_ = true;
  launcher_.State().SetText(field, ToBytes(text));
  takingEdit_ = false;
}

void frmMain::EndProgram() {
  if (ended_) return;
  ended_ = true;
  saving_ = true;
  launcher_.SaveCFG();
  saving_ = false;
  if (endProgram_) endProgram_();
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMain::Form_Load() {
  for (TextField field : {TextField::EngineText, TextField::MapSelection, TextField::CustomParams,
                          TextField::MapTitle, TextField::MapDescription}) {
    ShowText(field);
  }
  ShowList(ListField::EngineList);
  ShowList(ListField::MapList);
  launcher_.State().AddObserver(this);
  launcher_.FillLists();
}

void frmMain::Form_Unload() { EndProgram(); }

void frmMain::menuExit_Click() { EndProgram(); }

void frmMain::menuSQD_Click() { launcher_.SetQuakeDir(); }

void frmMain::menuDebugMode_Click() {
  if (showDebugWindow_) showDebugWindow_();
}

void frmMain::menuAbout_Click() {
  QString text = QString::fromLatin1(kAboutText);
  text.replace(u'\r', u'\n');
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kovar Launcher"), text, QMessageBox::Ok,
                  this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void frmMain::imgMain_Click() {
  HidePanels();
  picMain_->show();
}

void frmMain::imgSP_Click() {
  HidePanels();
  picSP_->show();
}

void frmMain::imgMP_Click() { QApplication::beep(); }

void frmMain::imgJoin_Click() { QApplication::beep(); }

void frmMain::imgStartSP_Click() { launcher_.StartGame(); }

void frmMain::listMap_Click() { launcher_.LoadMap(); }

void frmMain::HidePanels() {
  picMain_->hide();
  picSP_->hide();
}

}  // namespace kovar
