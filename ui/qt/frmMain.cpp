// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window built from the description's control table and menu table, showing what its
// behaviour tells it and reporting the player's actions to it.
#include "frmMain.h"

#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QSignalBlocker>

#include "Accessibility.h"
#include "ImageControl.h"
#include "KeyboardFocus.h"
#include "MapBox.h"
#include "MainMenu.h"
#include "MapListModel.h"
#include "PixelRect.h"
#include "TextControls.h"

namespace kovar {

namespace {

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

frmMain::frmMain(MainBehaviour& behaviour) : behaviour_(behaviour) {
  endProgram_ = [] { QCoreApplication::exit(0); };
  setWindowTitle(ToDisplay(kMainWindowFrame.caption));
  QIcon icon;
  icon.addFile(QStringLiteral(":/assets/kovar-launcher-32.png"));
  icon.addFile(QStringLiteral(":/assets/kovar-launcher-16.png"));
  setWindowIcon(icon);
  InstallAccessibleInterfaces();
  BuildControls();
  BuildMainMenu(menuBar(), [this](MenuCommand command) { behaviour_.MenuChosen(command); });
  // A fixed layout: the window takes the size of its menu bar and client area and keeps it.
  if (!kMainWindowFrame.resizable) layout()->setSizeConstraint(QLayout::SetFixedSize);
  Bind();
  behaviour_.Form_Load(*this);
}

frmMain::~frmMain() = default;

QComboBox* frmMain::comboEXE() const {
  return static_cast<QComboBox*>(Control(MainControl::comboEXE));
}
MapBox* frmMain::listMap() const { return static_cast<MapBox*>(Control(MainControl::listMap)); }

void frmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(Pixels(kMainWindowFrame.clientWidth), Pixels(kMainWindowFrame.clientHeight));
  client->setPalette(WindowPalette(client->palette()));
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  mapList_ = new MapListModel(this);

  // Each panel's row comes before the controls it holds, so that it exists when they are made.
  for (std::size_t i = 0; i < kMainWindowControls.size(); ++i) {
    const auto control = static_cast<MainControl>(i);
    const ControlDescription& row = kMainWindowControls[i];
    QWidget* parent = row.container == Container::Window ? client : Control(PanelOf(row.container));
    QWidget* widget = MakeControl(control, parent);
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setGeometry(PixelRect(row.place));
    if (!row.visible) widget->hide();
    controls_[i] = widget;
  }
  // Stacked from the last row up, so that within a container the first row ends in front.
  for (auto widget = controls_.rbegin(); widget != controls_.rend(); ++widget) (*widget)->raise();
  constexpr auto kTabOrder = TabOrderOf(kMainWindowControls);
  for (std::size_t i = 1; i < kTabOrder.focusable; ++i) {
    setTabOrder(controls_[kTabOrder.rows[i - 1]], controls_[kTabOrder.rows[i]]);
  }
  MakeAccessible(controls_);
}

QWidget* frmMain::MakeControl(MainControl control, QWidget* parent) {
  switch (Describe(control).kind) {
    case ControlKind::Panel:
      return new QWidget(parent);
    case ControlKind::MapBox:
    case ControlKind::EngineBox:
      return MakeComboBox(control, parent);
    case ControlKind::TextBox:
      return MakeTextBox(control, parent);
    case ControlKind::Label:
      return MakeLabel(control, parent);
    case ControlKind::Picture:
    case ControlKind::ClickableImage:
      return MakeImage(control, parent);
    case ControlKind::Line:
      return MakeLine(control, parent);
    case ControlKind::Button:
    case ControlKind::List:
      break;
  }
  return nullptr;
}

QWidget* frmMain::MakeComboBox(MainControl control, QWidget* parent) {
  if (Describe(control).kind == ControlKind::MapBox) {
    auto* box = new MapBox(mapList_, parent);
    box->setPalette(FieldPalette(parent->palette()));
    box->Field()->setValidator(new LineBreakStripper(box));
    return box;
  }
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

QWidget* frmMain::MakeTextBox(MainControl, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setPalette(FieldPalette(parent->palette()));
  field->setValidator(new LineBreakStripper(field));
  return field;
}

QWidget* frmMain::MakeLabel(MainControl control, QWidget* parent) {
  const ControlDescription& row = Describe(control);
  auto* label = new QLabel(ToDisplay(row.text), parent);
  // Map titles and descriptions come from map packs: shown as text, never read as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setFocusPolicy(Qt::NoFocus);
  label->setWordWrap(WrapsText(control));
  if (row.titleFont) label->setFont(TitleFont());
  return label;
}

QWidget* frmMain::MakeImage(MainControl control, QWidget* parent) {
  const ControlDescription& row = Describe(control);
  auto* image = new ImageControl(parent);
  image->SetArtwork(row.picture, PixelRect(row.place).size());
  if (row.kind == ControlKind::ClickableImage) {
    connect(image, &ImageControl::clicked, this,
            [this, control] { behaviour_.ImageClicked(control); });
    image->SetPress([this, control] { return behaviour_.CanPress(control); },
                    [this, control] { behaviour_.ControlPressed(control); });
  }
  return image;
}

QWidget* frmMain::MakeLine(MainControl, QWidget* parent) {
  auto* line = new QWidget(parent);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, QColor(kLineColour));
  line->setPalette(palette);
  line->setAutoFillBackground(true);
  return line;
}

void frmMain::Bind() {
  for (MainControl control : {MainControl::comboEXE, MainControl::txtCpar, MainControl::listMap}) {
    // Only what the player typed is converted back to bytes.
    connect(Field(control), &QLineEdit::textEdited, this, [this, control](const QString& text) {
      behaviour_.PlayerEdited(control, ToBytes(text));
    });
  }
  connect(comboEXE(), &QComboBox::activated, this, [this](int index) {
    if (index >= 0) behaviour_.PlayerChose(MainControl::comboEXE, static_cast<std::size_t>(index));
  });
  connect(listMap(), &MapBox::entryChosen, this, [this](int row) {
    if (row >= 0) behaviour_.PlayerChose(MainControl::listMap, static_cast<std::size_t>(row));
  });
}

void frmMain::SetProgramEnder(std::function<void()> end) { endProgram_ = std::move(end); }

QLineEdit* frmMain::Field(MainControl control) const {
  switch (control) {
    case MainControl::comboEXE:
      return comboEXE()->lineEdit();
    case MainControl::listMap:
      return listMap()->Field();
    default:
      return qobject_cast<QLineEdit*>(Control(control));
  }
}

std::string frmMain::SetText(MainControl control, const std::string& bytes) {
  const QString text = ToDisplay(bytes);
  if (QLineEdit* field = Field(control)) {
    // Rewriting the same text would move the cursor of the player who is typing in it.
    if (field->text() != text) field->setText(text);
    return ToBytes(field->text());
  }
  auto* label = static_cast<QLabel*>(Control(control));
  label->setText(text);
  return ToBytes(label->text());
}

void frmMain::DescribeEntry(MainControl, std::size_t entry, const std::string& bytes) {
  mapList_->SetDescription(static_cast<int>(entry), ToDisplay(bytes));
}

void frmMain::SetList(MainControl control, const std::vector<std::string>& entries) {
  if (control == MainControl::listMap) {
    mapList_->Reset(entries);
    listMap()->ClearChoice();
    return;
  }
  QStringList shown;
  for (const std::string& entry : entries) shown.append(ToDisplay(entry));
  // Filling the list selects nothing and leaves the engine text as it is.
  QComboBox* box = comboEXE();
  const QSignalBlocker blocker(box);
  const QString text = box->currentText();
  box->clear();
  box->addItems(shown);
  box->setCurrentIndex(-1);
  box->setEditText(text);
}

void frmMain::SetVisible(MainControl control, bool visible) {
  QWidget* widget = Control(control);
  if (visible != widget->isHidden()) return;
  widget->setVisible(visible);
  if (Describe(control).kind == ControlKind::Panel) PanelShownOrHidden(widget);
}

MainControl frmMain::Focused() const {
  for (MainControl control : {MainControl::comboEXE, MainControl::txtCpar, MainControl::listMap}) {
    if (Field(control) == focusWidget()) return control;
  }
  return MainControl::Count;
}

void frmMain::Focus(MainControl control) {
  FocusAndTell(control == MainControl::Count ? static_cast<QWidget*>(this) : Field(control));
}

void frmMain::Announce(MainControl panel) { AnnouncePanel(Control(panel)); }

Result frmMain::ShowPicture(MainControl control, const Bitmap& picture) {
  static_cast<ImageControl*>(Control(control))
      ->SetPicture(picture, PixelRect(Describe(control).place).size());
  return Result::Ok();
}

void frmMain::SetAccessibleName(MainControl control, const std::string& bytes) {
  Control(control)->setAccessibleName(ToDisplay(bytes));
}

void frmMain::Beep() { QApplication::beep(); }

void frmMain::ShowMessage(const std::string& bytes) {
  QString text = ToDisplay(bytes);
  text.replace(u'\r', u'\n');
  const ActivatedAfterBox activated(this);
  QMessageBox box(QMessageBox::NoIcon, ToDisplay(kApplicationName), text, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void frmMain::End() {
  if (endProgram_) endProgram_();
}

void frmMain::closeEvent(QCloseEvent* event) {
  behaviour_.Form_Unload();
  event->accept();
}

}  // namespace kovar
