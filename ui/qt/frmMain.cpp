// The main window built from the description's control table and menu table, its handlers and
// its binding to the launcher state.
#include "frmMain.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QByteArray>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QSignalBlocker>

#include "Accessibility.h"
#include "ImageControl.h"
#include "Launcher.h"
#include "LineBreakStripper.h"
#include "MapBox.h"
#include "MapListModel.h"
#include "PixelRect.h"
#include "TextCodec.h"

namespace kovar {

namespace {

QString ArtworkFile(Artwork artwork) {
  switch (artwork) {
    case Artwork::Main:
      return QStringLiteral(":/assets/imgMain.bmp");
    case Artwork::SinglePlayer:
      return QStringLiteral(":/assets/imgSP.bmp");
    case Artwork::MultiPlayer:
      return QStringLiteral(":/assets/imgMP.bmp");
    case Artwork::Join:
      return QStringLiteral(":/assets/imgJoin.bmp");
    case Artwork::StartSinglePlayer:
      return QStringLiteral(":/assets/imgStartSP.bmp");
    case Artwork::Tile:
      return QStringLiteral(":/assets/imgTile.bmp");
    case Artwork::Logo:
      return QStringLiteral(":/assets/imgLogo1.bmp");
    case Artwork::None:
      break;
  }
  return {};
}

QFont TitleFont() {
  // The classic face is missing on most systems; these look closest.
  QFont::insertSubstitutions(QString::fromLatin1(kTitleFont.face),
                             {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans"),
                              QStringLiteral("Liberation Sans")});
  QFont font(QString::fromLatin1(kTitleFont.face));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(kTitleFont.points);
  font.setWeight(static_cast<QFont::Weight>(kTitleFont.weight));
  font.setItalic(kTitleFont.italic);
  return font;
}

QPalette WindowPalette(QPalette palette) {
  const QColor background(kWindowBackground);
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, QColor(kLabelText));
  palette.setColor(QPalette::Base, QColor(kFieldBackground));
  palette.setColor(QPalette::AlternateBase, QColor(kFieldBackground));
  palette.setColor(QPalette::Text, QColor(kFieldText));
  palette.setColor(QPalette::Button, background);
  palette.setColor(QPalette::ButtonText, QColor(kFieldText));
  return palette;
}

// The fields' frames take their colour from the window colour.
QPalette FieldPalette(QPalette palette) {
  palette.setColor(QPalette::Window, QColor(kFieldFrame));
  return palette;
}

}  // namespace

frmMain::frmMain(Launcher& launcher) : launcher_(launcher) {
  endProgram_ = [] { QCoreApplication::exit(0); };
  setWindowTitle(ToDisplay(kMainWindowFrame.caption));
  QIcon icon;
  icon.addFile(QStringLiteral(":/assets/kovar-launcher-32.png"));
  icon.addFile(QStringLiteral(":/assets/kovar-launcher-16.png"));
  setWindowIcon(icon);
  InstallAccessibleInterfaces();
  BuildControls();
  BuildMenus();
  // A fixed layout: the window takes the size of its menu bar and client area and keeps it.
  if (!kMainWindowFrame.resizable) layout()->setSizeConstraint(QLayout::SetFixedSize);
  Bind();
  Form_Load();
}

frmMain::~frmMain() { launcher_.State().RemoveObserver(this); }

QComboBox* frmMain::comboEXE() const {
  return static_cast<QComboBox*>(Control(MainControl::comboEXE));
}
QLineEdit* frmMain::txtCpar() const {
  return static_cast<QLineEdit*>(Control(MainControl::txtCpar));
}
MapBox* frmMain::listMap() const { return static_cast<MapBox*>(Control(MainControl::listMap)); }
QLabel* frmMain::Label(MainControl control) const { return static_cast<QLabel*>(Control(control)); }
ImageControl* frmMain::imgLevel() const {
  return static_cast<ImageControl*>(Control(MainControl::imgLevel));
}

void frmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(Pixels(kMainWindowFrame.clientWidth), Pixels(kMainWindowFrame.clientHeight));
  client->setPalette(WindowPalette(client->palette()));
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  mapList_ = new MapListModel(launcher_.State().List(ListField::MapList), this);

  // Each panel's row comes before the controls it holds, so that it exists when they are made.
  std::vector<MainControl> focusOrder;
  for (std::size_t i = 0; i < kMainWindowControls.size(); ++i) {
    const auto control = static_cast<MainControl>(i);
    const ControlDescription& row = kMainWindowControls[i];
    QWidget* parent = row.container == Container::Window ? client : Control(PanelOf(row.container));
    QWidget* widget = MakeControl(control, parent);
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setGeometry(PixelRect(row.place));
    if (!row.visible) widget->hide();
    if (row.focusOrder > 0) focusOrder.push_back(control);
    controls_[i] = widget;
  }
  // Stacked from the last row up, so that within a container the first row ends in front.
  for (auto widget = controls_.rbegin(); widget != controls_.rend(); ++widget) (*widget)->raise();
  std::sort(focusOrder.begin(), focusOrder.end(), [](MainControl a, MainControl b) {
    return Describe(a).focusOrder < Describe(b).focusOrder;
  });
  for (std::size_t i = 1; i < focusOrder.size(); ++i) {
    setTabOrder(Control(focusOrder[i - 1]), Control(focusOrder[i]));
  }
  MakeAccessible(controls_);
}

QWidget* frmMain::MakeControl(MainControl control, QWidget* parent) {
  const ControlDescription& row = Describe(control);
  switch (row.kind) {
    case ControlKind::MapBox: {
      auto* box = new MapBox(mapList_, parent);
      box->setPalette(FieldPalette(parent->palette()));
      box->Field()->setValidator(new LineBreakStripper(box));
      return box;
    }
    case ControlKind::EngineBox: {
      auto* box = new QComboBox(parent);
      box->setPalette(FieldPalette(parent->palette()));
      box->setEditable(true);
      // Qt's combo box would otherwise rewrite what the player typed: insert it into the list on
      // Enter, complete it, or replace it by a list entry that matches it without regard to case.
      box->setInsertPolicy(QComboBox::NoInsert);
      box->setDuplicatesEnabled(true);
      box->setCompleter(nullptr);
      box->setValidator(new LineBreakStripper(box));
      return box;
    }
    case ControlKind::TextBox: {
      auto* field = new QLineEdit(parent);
      field->setPalette(FieldPalette(parent->palette()));
      field->setValidator(new LineBreakStripper(field));
      return field;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(ToDisplay(row.text), parent);
      // Map titles and descriptions come from map packs: shown as text, never read as markup.
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setFocusPolicy(Qt::NoFocus);
      label->setWordWrap(WrapsText(control));
      if (row.titleFont) label->setFont(TitleFont());
      return label;
    }
    case ControlKind::Picture:
    case ControlKind::ClickableImage: {
      auto* image = new ImageControl(parent);
      image->SetPicture(QPixmap(ArtworkFile(row.picture)), PixelRect(row.place).size());
      if (row.kind == ControlKind::ClickableImage) {
        connect(image, &ImageControl::clicked, this,
                [this, click = row.click] { Image_Click(click); });
      }
      return image;
    }
    case ControlKind::Line: {
      auto* line = new QWidget(parent);
      QPalette palette = line->palette();
      palette.setColor(QPalette::Window, QColor(kLineColour));
      line->setPalette(palette);
      line->setAutoFillBackground(true);
      return line;
    }
    case ControlKind::Panel:
    case ControlKind::Button:
    case ControlKind::List:
      break;
  }
  return new QWidget(parent);
}

void frmMain::BuildMenus() {
  std::array<QMenu*, 4> menus{};
  for (const MenuItemDescription& item : kMainMenu) {
    QAction* action = nullptr;
    if (item.parent == Menu::Bar) {
      QMenu* menu = menuBar()->addMenu(ToDisplay(item.caption));
      menus[static_cast<std::size_t>(item.opens)] = menu;
      action = menu->menuAction();
    } else {
      QMenu* menu = menus[static_cast<std::size_t>(item.parent)];
      action = item.separator ? menu->addSeparator() : menu->addAction(ToDisplay(item.caption));
    }
    action->setObjectName(QString::fromLatin1(item.name));
    action->setMenuRole(QAction::NoRole);
    action->setVisible(item.visible);
    action->setEnabled(item.enabled);
    switch (item.command) {
      case MenuCommand::Exit:
        connect(action, &QAction::triggered, this, &frmMain::menuExit_Click);
        break;
      case MenuCommand::DebugWindow:
        connect(action, &QAction::triggered, this, &frmMain::menuDebugMode_Click);
        break;
      case MenuCommand::SetQuakeDirectory:
        connect(action, &QAction::triggered, this, &frmMain::menuSQD_Click);
        break;
      case MenuCommand::About:
        connect(action, &QAction::triggered, this, &frmMain::menuAbout_Click);
        break;
      case MenuCommand::None:
        break;
    }
  }
}

void frmMain::Bind() {
  connect(comboEXE()->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { PlayerEdited(TextField::EngineText, text); });
  // Choosing an entry puts the entry's own bytes into the engine text.
  connect(comboEXE(), &QComboBox::activated, this, [this](int index) {
    const auto& entries = launcher_.State().List(ListField::EngineList);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
    takingEdit_ = true;
    launcher_.State().SetText(TextField::EngineText, entries[static_cast<std::size_t>(index)]);
    takingEdit_ = false;
  });
  connect(txtCpar(), &QLineEdit::textEdited, this,
          [this](const QString& text) { PlayerEdited(TextField::CustomParams, text); });
  connect(listMap()->Field(), &QLineEdit::textEdited, this,
          [this](const QString& text) { PlayerEdited(TextField::MapSelection, text); });
  connect(listMap(), &MapBox::entryChosen, this, [this](int row) {
    const auto& entries = launcher_.State().List(ListField::MapList);
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return;
    launcher_.State().SetText(TextField::MapSelection, entries[static_cast<std::size_t>(row)]);
    listMap_Click();
  });
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

Result frmMain::PreviewChanged() {
  const std::string& bytes = launcher_.State().Preview();
  QPixmap picture;
  if (!bytes.empty()) {
    // The format is forced: a map pack's picture is read as a BMP or not at all, never as
    // whatever its content claims to be.
    const QImage image = QImage::fromData(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), "BMP");
    if (image.isNull()) return Result::Failure("the picture could not be decoded as a BMP picture");
    picture = QPixmap::fromImage(image);
  }
  imgLevel()->SetPicture(picture, PixelRect(Describe(MainControl::imgLevel).place).size());
  return Result::Ok();
}

void frmMain::ShowText(TextField field) {
  const QString text = ToDisplay(launcher_.State().Text(field));
  switch (field) {
    case TextField::EngineText:
      if (comboEXE()->currentText() != text) {
        const QSignalBlocker blocker(comboEXE());
        comboEXE()->setEditText(text);
      }
      break;
    case TextField::MapSelection:
      if (listMap()->Field()->text() != text) listMap()->Field()->setText(text);
      break;
    case TextField::CustomParams:
      if (txtCpar()->text() != text) txtCpar()->setText(text);
      break;
    case TextField::MapTitle:
      Label(MainControl::lblMapTitle)->setText(text);
      // A screen reader names the preview by the map it shows.
      imgLevel()->setAccessibleName(text);
      break;
    case TextField::MapDescription:
      Label(MainControl::lblMapDes)->setText(text);
      break;
    default:
      break;
  }
}

void frmMain::ShowList(ListField field) {
  if (field == ListField::MapList) {
    mapList_->Reset();
    listMap()->ClearChoice();
    return;
  }
  QStringList entries;
  for (const std::string& entry : launcher_.State().List(field)) entries.append(ToDisplay(entry));
  // Filling the list selects nothing and leaves the engine text as it is.
  QComboBox* box = comboEXE();
  const QSignalBlocker blocker(box);
  box->clear();
  box->addItems(entries);
  box->setCurrentIndex(-1);
  box->setEditText(ToDisplay(launcher_.State().Text(TextField::EngineText)));
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
  // What could not be saved has been shown; the program ends all the same.
  (void)launcher_.SaveCFG();
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

void frmMain::menuAbout_Click() {
  QString text = ToDisplay(kAboutText);
  text.replace(u'\r', u'\n');
  QMessageBox box(QMessageBox::NoIcon, ToDisplay(kApplicationName), text, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void frmMain::Image_Click(ClickAction action) {
  switch (action) {
    case ClickAction::ShowMainPanel:
    case ClickAction::ShowStartPanel: {
      QWidget* picMain = Control(MainControl::picMain);
      QWidget* picSP = Control(MainControl::picSP);
      const PanelVisibility shown = PanelsAfter(action, {!picMain->isHidden(), !picSP->isHidden()});
      HidePanels();
      picMain->setVisible(shown.mainPanel);
      picSP->setVisible(shown.startPanel);
      break;
    }
    case ClickAction::Beep:
      QApplication::beep();
      break;
    case ClickAction::StartGame:
      imgStartSP_Click();
      break;
    case ClickAction::None:
      break;
  }
}

// The player is shown why a launch was refused or failed.
void frmMain::imgStartSP_Click() { (void)launcher_.StartGame(); }

// The player is shown what of the map could not be loaded.
void frmMain::listMap_Click() { (void)launcher_.LoadMap(); }

void frmMain::HidePanels() {
  Control(MainControl::picMain)->hide();
  Control(MainControl::picSP)->hide();
}

}  // namespace kovar
