// The main window under the offscreen platform: what follows from its layout, and its behaviour
// towards the player and the core.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "DialogAnswerer.h"
#include "ImageControl.h"
#include "LauncherApplication.h"
#include "Launcher.h"
#include "MapBox.h"
#include "QtPlatform.h"
#include "TestSupport.h"
#include "frmMain.h"

namespace kovar::test {
namespace {

// A launcher over a temporary application directory, its Qt platform and its main window.
struct Session {
  TempDir dir;
  QtPlatform platform;
  Launcher launcher{dir.Path(), platform};
  std::unique_ptr<frmMain> window;
  int ends = 0;

  frmMain& Create() {
    window = std::make_unique<frmMain>(launcher);
    platform.SetMainWindow(window.get());
    window->SetProgramEnder([this] { ++ends; });
    return *window;
  }
  frmMain& Show() {
    Create().show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("the window did not become active");
    return *window;
  }
  template <typename T = QWidget>
  T* Control(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* Item(const char* name) const { return Control<QAction>(name); }
  const std::string& Text(TextField field) const { return launcher.State().Text(field); }
  void Click(const char* name) const { QTest::mouseClick(Control(name), Qt::LeftButton); }
  // Clicks the map list's entry `row` as the player would.
  void ClickMap(int row) const {
    QListView* list = Control<MapBox>("listMap")->List();
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  void WriteMap(const std::string& name, const std::string& level, const std::string& description,
                int pictureWidth = 120, int pictureHeight = 90) const {
    dir.Write("data/" + name + ".kvx", level + "\r\n" + description + "\r\n");
    dir.Write("data/" + name + ".bmp", MakeBmp(pictureWidth, pictureHeight));
  }
};

bool Choosable(const QAction* action) { return action->isVisible() && action->isEnabled(); }

}  // namespace

class FrmMainTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DialogAnswerer> dialogs_;

 private slots:
  void init() { dialogs_ = std::make_unique<DialogAnswerer>(); }
  void cleanup() {
    for (const std::string& text : dialogs_->Unexpected())
      qWarning("unexpected dialog %s", text.c_str());
    QVERIFY(dialogs_->Unexpected().empty());
    QVERIFY(dialogs_->AllAnswered());
  }

  void ClientAreaIsFixedBelowTheMenuBar() {
    Session s;
    frmMain& window = s.Show();
    QCOMPARE(window.centralWidget()->size(), QSize(399, 291));
    QCOMPARE(window.centralWidget()->y(), window.menuBar()->height());
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnfield - Kovar Launcher"));
    QVERIFY(!window.windowIcon().isNull());
  }

  void TileLiesInFrontOfTheLogoWhereTheyOverlap() {
    Session s;
    s.Show();
    QWidget* client = s.window->centralWidget();
    const QRect overlap = s.Control("imgTile1")->geometry() & s.Control("imgLogo1")->geometry();
    QCOMPARE(overlap.width(), 8);
    QCOMPARE(client->childAt(overlap.center()), s.Control("imgTile1"));
    QCOMPARE(client->childAt(overlap.left() - 1, overlap.center().y()), s.Control("imgLogo1"));
  }

  void PanelsShareOnePlaceAndExactlyOneShowsAfterEachClick() {
    Session s;
    s.Show();
    QWidget* picMain = s.Control("picMain");
    QWidget* picSP = s.Control("picSP");
    QCOMPARE(picMain->pos(), picSP->pos());
    QVERIFY(picMain->isVisible() && !picSP->isVisible());
    for (const char* image : {"imgSP", "imgSP", "imgMain", "imgMain", "imgSP", "imgMain"}) {
      s.Click(image);
      const bool start = std::string(image) == "imgSP";
      QCOMPARE(picSP->isVisible(), start);
      QCOMPARE(picMain->isVisible(), !start);
      QCOMPARE(s.Control<QLabel>("lblTitle")->text(), QStringLiteral("Main"));
    }
  }

  void APreviewIsShownAtItsOwnSize() {
    Session s;
    s.WriteMap("big", "e1m1", "Large.", 160, 120);
    s.Show();
    auto* imgLevel = s.Control<ImageControl>("imgLevel");
    const QPoint corner = imgLevel->pos();
    QCOMPARE(imgLevel->size(), QSize(120, 90));
    (void)s.launcher.RunCommand("map big");
    QCOMPARE(imgLevel->size(), QSize(160, 120));
    QCOMPARE(imgLevel->pos(), corner);
    QCOMPARE(imgLevel->pixmap().size(), QSize(160, 120));
    // A map without a picture removes the old one.
    s.dir.Write("data/bare.kvx", "e1m2\r\nNo picture.\r\n");
    dialogs_->Expect([](QWidget* box) { box->close(); });
    (void)s.launcher.RunCommand("map bare");
    QVERIFY(imgLevel->pixmap().isNull());
    QCOMPARE(imgLevel->size(), QSize(120, 90));
  }

  void APreviewLoadedBeforeTheWindowExistedIsShownWithIt() {
    Session s;
    s.WriteMap("early", "e1m1", "Early.", 40, 30);
    (void)s.launcher.RunCommand("map early");
    s.Create();
    QCOMPARE(s.Control<ImageControl>("imgLevel")->pixmap().size(), QSize(40, 30));
  }

  void OnlyTheThreeInputFieldsTakeFocusInTheirOrder() {
    Session s;
    s.WriteMap("one", "e1m1", "One.");
    s.Show();
    auto* comboEXE = s.Control<QComboBox>("comboEXE");
    auto* txtCpar = s.Control<QLineEdit>("txtCpar");
    auto* listMap = s.Control<MapBox>("listMap");
    auto owner = [&](QWidget* focus) -> QWidget* {
      for (QWidget* field : std::initializer_list<QWidget*>{comboEXE, txtCpar, listMap}) {
        if (focus == field || field->isAncestorOf(focus)) return field;
      }
      return focus;
    };
    comboEXE->setFocus();
    QCOMPARE(owner(QApplication::focusWidget()), comboEXE);
    std::vector<QWidget*> order;
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      order.push_back(owner(QApplication::focusWidget()));
    }
    QCOMPARE(order, (std::vector<QWidget*>{txtCpar, listMap, comboEXE, txtCpar}));
    // Clicking a picture, a label or the map list keeps the focus where it is, or on the map box.
    QTest::mouseClick(s.Control("imgLevel"), Qt::LeftButton);
    QTest::mouseClick(s.Control("lblMapDes"), Qt::LeftButton);
    QCOMPARE(owner(QApplication::focusWidget()), txtCpar);
    for (QWidget* widget : s.window->findChildren<QWidget*>()) {
      const bool field =
          owner(widget) != widget || widget == comboEXE || widget == txtCpar || widget == listMap;
      if (!field && widget->isVisible() && !qobject_cast<QMenuBar*>(widget) &&
          widget != s.window.get()) {
        QVERIFY2(widget->focusPolicy() == Qt::NoFocus, qPrintable(widget->objectName()));
      }
    }
  }

  void OnlyExitSetQuakeDirectoryAndAboutCanBeChosen() {
    Session s;
    s.Create();
    const std::vector<std::pair<const char*, QString>> items = {{"menuFile", "&File"},
                                                                {"menuNew", "&Reset Settings"},
                                                                {"menuOpen", "&Open Settings"},
                                                                {"menuSave", "&Save Settings"},
                                                                {"menuExit", "E&xit"},
                                                                {"menuTools", "&Tools"},
                                                                {"menuDebugMode", "&Debug Window"},
                                                                {"menuSQD", "&Set Quake Directory"},
                                                                {"menuOptions", "&Options"},
                                                                {"menuHelp", "&Help"},
                                                                {"menuAbout", "&About"}};
    QStringList choosable;
    for (const auto& [name, caption] : items) {
      QAction* item = s.Item(name);
      QVERIFY2(item, name);
      QCOMPARE(item->text(), caption);
      QVERIFY(item->shortcut().isEmpty());
      QVERIFY(!item->isCheckable());
      if (Choosable(item)) choosable.append(QString::fromLatin1(name));
    }
    QCOMPARE(choosable, QStringList({"menuFile", "menuExit", "menuTools", "menuSQD", "menuHelp",
                                     "menuAbout"}));
    QCOMPARE(s.window->menuBar()->actions(),
             QList<QAction*>({s.Item("menuFile"), s.Item("menuTools"), s.Item("menuHelp")}));
    for (const char* name : {"menuSep1", "menuDebugMode"}) {
      QAction* item = s.Item(name);
      QVERIFY2(item->isVisible() != item->isEnabled(), name);
    }
    QVERIFY(s.Item("menuSep1")->isSeparator());
  }

  void TheDebugMenuItemCannotOpenTheConsole() {
    TempDir dir;
    LauncherApplication app(dir.Path());
    QAction* item = app.MainWindow().findChild<QAction*>(QStringLiteral("menuDebugMode"));
    QVERIFY(item);
    item->trigger();
    QVERIFY(!app.DebugWindow().isVisible());
    // Were it ever enabled, the item would show the console that already holds the log.
    item->setVisible(true);
    item->setEnabled(true);
    item->trigger();
    QVERIFY(app.DebugWindow().isVisible());
  }

  void NavigationBeepsChangeNothing() {
    Session s;
    s.WriteMap("one", "e1m1", "One.");
    s.dir.Write("config.kvx", "exe Quake.exe\r\ncpar -x\r\n");
    s.Show();
    const auto before =
        std::vector<std::string>{s.Text(TextField::EngineText), s.Text(TextField::MapSelection),
                                 s.Text(TextField::CustomParams), s.dir.Read("config.kvx")};
    for (const char* image : {"imgMP", "imgJoin"}) {
      s.Click(image);
      QVERIFY(s.Control("picMain")->isVisible());
      QVERIFY(!s.Control("picSP")->isVisible());
    }
    s.Click("imgSP");
    s.Click("imgJoin");
    QVERIFY(s.Control("picSP")->isVisible() && !s.Control("picMain")->isVisible());
    QCOMPARE(before, (std::vector<std::string>{
                         s.Text(TextField::EngineText), s.Text(TextField::MapSelection),
                         s.Text(TextField::CustomParams), s.dir.Read("config.kvx")}));
    QVERIFY(!s.dir.Has("settings.kvx"));
    QCOMPARE(s.ends, 0);
  }

  void AboutShowsTwoLinesWithOkOnly() {
    Session s;
    s.Show();
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    int buttons = 0;
    dialogs_->Expect([&](QWidget* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      box->button(QMessageBox::Ok)->click();
    });
    s.Item("menuAbout")->trigger();
    QCOMPARE(title, QStringLiteral("Kovar Launcher"));
    QCOMPARE(text.split(u'\n'), QStringList({"Kovar Launcher By Velmont", "Version 0.1"}));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
  }

  void EverySelectionLoadsTheMapAndTypingLoadsNothing() {
    Session s;
    s.WriteMap("alpha", "a1", "First.");
    s.WriteMap("beta", "b1", "Second.");
    s.Show();
    auto* listMap = s.Control<MapBox>("listMap");
    QAbstractItemModel* entries = listMap->List()->model();
    QCOMPARE(entries->rowCount(), 2);
    QCOMPARE(listMap->List()->currentIndex().row(), -1);
    const int alpha =
        entries->match(entries->index(0, 0), Qt::DisplayRole, "alpha", 1, Qt::MatchExactly)
            .front()
            .row();
    s.ClickMap(alpha);
    QCOMPARE(s.Text(TextField::MapSelection), std::string("alpha"));
    QCOMPARE(listMap->Field()->text(), QStringLiteral("alpha"));
    QCOMPARE(s.Control<QLabel>("lblMapDes")->text(), QStringLiteral("First."));
    // The same entry again reads the files again.
    s.WriteMap("alpha", "a2", "Changed.");
    s.ClickMap(alpha);
    QCOMPARE(s.Control<QLabel>("lblMapDes")->text(), QStringLiteral("Changed."));
    QCOMPARE(s.Text(TextField::MapLevel), std::string("a2"));
    // Typing the other map's name loads nothing.
    listMap->Field()->setFocus();
    listMap->Field()->selectAll();
    QTest::keyClicks(listMap->Field(), "beta");
    QCOMPARE(s.Text(TextField::MapSelection), std::string("beta"));
    QCOMPARE(s.Text(TextField::MapLevel), std::string("a2"));
    QCOMPARE(s.Control<QLabel>("lblMapTitle")->text(), QStringLiteral("alpha"));
    // Moving the selection with the keyboard is a selection.
    QTest::keyClick(listMap->Field(), alpha == 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(listMap->List()->currentIndex().row(), 1 - alpha);
    QCOMPARE(s.Text(TextField::MapLevel), std::string("b1"));
    QCOMPARE(s.Control<QLabel>("lblMapTitle")->text(), QStringLiteral("beta"));
    // A key that cannot move the selection further selects nothing new.
    QTest::keyClick(listMap->Field(), alpha == 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(listMap->List()->currentIndex().row(), 1 - alpha);
  }

  void ACommandNeitherSelectsAnEntryNorIsRewrittenByTheWindow() {
    Session s;
    s.WriteMap("alpha", "a1", "First.");
    (void)s.launcher.RunCommand("exe WinQuake.exe");
    (void)s.launcher.RunCommand("cpar  -x ");
    frmMain& window = s.Create();
    QCOMPARE(s.Control<QLineEdit>("txtCpar")->text(), QStringLiteral(" -x "));
    (void)s.launcher.RunCommand("map alpha");
    auto* comboEXE = s.Control<QComboBox>("comboEXE");
    QCOMPARE(static_cast<std::size_t>(comboEXE->count()),
             s.launcher.State().List(ListField::EngineList).size());
    QCOMPARE(comboEXE->currentIndex(), -1);
    QCOMPARE(comboEXE->currentText(), QStringLiteral("WinQuake.exe"));
    QCOMPARE(s.Control<MapBox>("listMap")->List()->currentIndex().row(), -1);
    QCOMPARE(s.Control<MapBox>("listMap")->Field()->text(), QStringLiteral("alpha"));
    (void)s.launcher.RunCommand("exe GLQuake.exe");
    QCOMPARE(comboEXE->currentIndex(), -1);
    QCOMPARE(comboEXE->currentText(), QStringLiteral("GLQuake.exe"));
    (void)s.launcher.RunCommand("exe WinQuake.exe");
    window.close();
    QCOMPARE(s.dir.Read("config.kvx"),
             std::string("exe WinQuake.exe\r\nmap alpha\r\ncpar  -x \r\n"));
  }

  void AFirstStartShowsTheInitialEngineTextAndNothingElse() {
    Session s;
    s.dir.Write("auto.kvx", "");
    s.Create();
    QVERIFY(s.launcher.Main().ok());
    auto* comboEXE = s.Control<QComboBox>("comboEXE");
    QVERIFY(s.window->isVisible());
    QCOMPARE(comboEXE->currentText(), QStringLiteral("LucidGL.exe"));
    QCOMPARE(comboEXE->currentIndex(), -1);
    QStringList engines;
    for (int i = 0; i < comboEXE->count(); ++i) engines.append(comboEXE->itemText(i));
    QCOMPARE(engines, QStringList({"LucidGL.exe", "GLQuake.exe", "Quake.exe", "WinQuake.exe",
                                   "VQuake.exe"}));
    QCOMPARE(s.Control<MapBox>("listMap")->List()->model()->rowCount(), 0);
    QVERIFY(s.Control<MapBox>("listMap")->Field()->text().isEmpty());
    QVERIFY(s.Control<QLabel>("lblMapTitle")->text().isEmpty());
    QVERIFY(s.Control<QLabel>("lblMapDes")->text().isEmpty());
    QVERIFY(s.Control<ImageControl>("imgLevel")->pixmap().isNull());
    // With no maps, the keyboard selects nothing.
    QTest::keyClick(s.Control<MapBox>("listMap")->Field(), Qt::Key_Down);
    QVERIFY(s.Text(TextField::MapTitle).empty());
  }

  void TheEngineBoxNeitherCompletesNorInsertsNorChangesCase() {
    Session s;
    s.Show();
    auto* comboEXE = s.Control<QComboBox>("comboEXE");
    const int entries = comboEXE->count();
    comboEXE->setFocus();
    comboEXE->lineEdit()->selectAll();
    QTest::keyClicks(comboEXE, "glquake.exe");
    QTest::keyClick(comboEXE, Qt::Key_Return);
    QCOMPARE(comboEXE->currentText(), QStringLiteral("glquake.exe"));
    QCOMPARE(s.Text(TextField::EngineText), std::string("glquake.exe"));
    QCOMPARE(comboEXE->count(), entries);
    comboEXE->lineEdit()->selectAll();
    QTest::keyClicks(comboEXE, "Q");
    QCOMPARE(comboEXE->currentText(), QStringLiteral("Q"));
    QTest::keyClick(comboEXE, Qt::Key_Return);
    QCOMPARE(comboEXE->count(), entries);
    QCOMPARE(s.Text(TextField::EngineText), std::string("Q"));
    // Choosing an entry is the only other way the engine text changes, and it changes nothing else.
    const std::string map = s.Text(TextField::MapSelection);
    comboEXE->setCurrentIndex(3);
    emit comboEXE->activated(3);
    QCOMPARE(s.Text(TextField::EngineText), std::string("WinQuake.exe"));
    QCOMPARE(s.Text(TextField::MapSelection), map);
  }

  void TheFieldsAndTheStateFollowEachOther() {
    Session s;
    s.Show();
    auto* txtCpar = s.Control<QLineEdit>("txtCpar");
    (void)s.launcher.RunCommand("cpar  +skill 2 ");
    QCOMPARE(txtCpar->text(), QStringLiteral(" +skill 2 "));
    txtCpar->setFocus();
    txtCpar->end(false);
    QTest::keyClicks(txtCpar, "-x");
    QCOMPARE(s.Text(TextField::CustomParams), std::string(" +skill 2 -x"));
    // Pasted line breaks are dropped: a settings file holds one value a line.
    QApplication::clipboard()->setText(QStringLiteral("a\r\nb\nc"));
    txtCpar->paste();
    QCOMPARE(txtCpar->text(), QStringLiteral(" +skill 2 -xabc"));
    QCOMPARE(s.Text(TextField::CustomParams), std::string(" +skill 2 -xabc"));
    auto* field = s.Control<MapBox>("listMap")->Field();
    field->setFocus();
    field->paste();
    QCOMPARE(s.Text(TextField::MapSelection), std::string("abc"));
    (void)s.launcher.RunCommand("quakedir /q");
    (void)s.launcher.RunCommand("frun True");
    QCOMPARE(txtCpar->text(), QStringLiteral(" +skill 2 -xabc"));
  }

  void BytesNobodyEditedAreSavedAsTheyWere() {
    Session s;
    // Not valid in UTF-8: shown with replacement characters, but kept as read.
    const std::string latin1 = "cpar caf\xe9 \xff";
    s.dir.Write("auto.kvx", "exe Quake.exe\r\n" + latin1 + "\r\n");
    s.Create();
    QVERIFY(s.launcher.Main().ok());
    s.window->close();
    QCOMPARE(s.dir.Read("config.kvx"), "exe Quake.exe\r\n" + latin1 + "\r\n");
    QCOMPARE(s.ends, 1);
  }

  void CloseAndExitWriteTheSameFilesOnce() {
    std::string closed;
    // The same choices in both sessions: a map picked, parameters and a Quake directory set.
    auto choose = [](Session& s) {
      s.WriteMap("alpha", "a1", "First.");
      s.Show();
      s.ClickMap(0);
      (void)s.launcher.RunCommand("cpar -fast");
      (void)s.launcher.RunCommand("quakedir /games/quake");
    };
    {
      Session s;
      choose(s);
      s.window->close();
      QCOMPARE(s.ends, 1);
      closed = s.dir.Read("config.kvx") + s.dir.Read("settings.kvx");
      std::filesystem::remove(s.dir.File("config.kvx"));
      // Only one save per end, whatever asks for it afterwards.
      s.window->close();
      s.window->CloseBySystem();
      s.Item("menuExit")->trigger();
      QVERIFY(!s.dir.Has("config.kvx"));
      QCOMPARE(s.ends, 1);
    }
    Session s;
    choose(s);
    s.Item("menuExit")->trigger();
    QCOMPARE(s.ends, 1);
    QCOMPARE(s.dir.Read("config.kvx") + s.dir.Read("settings.kvx"), closed);
    QCOMPARE(closed, std::string("exe LucidGL.exe\r\nmap alpha\r\ncpar -fast\r\n"
                                 "frun false\r\nquakedir /games/quake\r\n"));
    s.window->close();
    QCOMPARE(s.ends, 1);
  }

  void TheQuakeDirectoryPromptIsAnsweredOrCancelled() {
    Session s;
    s.Show();
    (void)s.launcher.RunCommand("quakedir /old \xe9");
    QString shown;
    dialogs_->Expect([&](QWidget* dialog) {
      auto* input = qobject_cast<QInputDialog*>(dialog);
      QVERIFY(input);
      shown = input->labelText() + "|" + input->windowTitle();
      input->reject();
    });
    s.Item("menuSQD")->trigger();
    QCOMPARE(shown, QStringLiteral("Enter Quake Path|Set Quake Directory"));
    QCOMPARE(s.Text(TextField::QuakeDir), std::string("/old \xe9"));
    // Accepted unchanged, the old bytes stay; typed, the typed text becomes the directory.
    dialogs_->Expect([](QWidget* dialog) { qobject_cast<QInputDialog*>(dialog)->accept(); });
    s.Item("menuSQD")->trigger();
    QCOMPARE(s.Text(TextField::QuakeDir), std::string("/old \xe9"));
    dialogs_->Expect([](QWidget* dialog) {
      auto* input = qobject_cast<QInputDialog*>(dialog);
      input->setTextValue(QStringLiteral(" /new quake "));
      input->accept();
    });
    s.Item("menuSQD")->trigger();
    QCOMPARE(s.Text(TextField::QuakeDir), std::string(" /new quake "));
  }

  void ErrorsAreShownAsPlainTextInTheLaunchersBox() {
    Session s;
    s.Show();
    QString title, text;
    dialogs_->Expect([&](QWidget* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      title = box->windowTitle();
      text = box->text();
      QCOMPARE(box->textFormat(), Qt::PlainText);
      box->accept();
    });
    (void)s.launcher.RunCommand("exec <b>missing</b>.kvx");
    QCOMPARE(title, QStringLiteral("Kovar Launcher"));
    QVERIFY(text.contains(QStringLiteral("<b>missing</b>.kvx")));
  }

  void APreviewShowsItsDecodedColoursUntilItIsRemoved() {
    Session s;
    s.Create();
    auto* imgLevel = s.Control<ImageControl>("imgLevel");
    const Bitmap picture{2, 1, {0xFFFF0000u, 0xFF00FF00u}};
    QVERIFY(s.launcher.State().SetPreview(picture).ok());
    QCOMPARE(imgLevel->size(), QSize(2, 1));
    const QImage shown = imgLevel->pixmap().toImage();
    QCOMPARE(shown.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(shown.pixel(1, 0), qRgb(0, 255, 0));
    QVERIFY(s.launcher.State().SetPreview({}).ok());
    QVERIFY(imgLevel->pixmap().isNull());
    QCOMPARE(imgLevel->size(), QSize(120, 90));
  }

  void TheStartImageStartsTheGame() {
    Session s;
    s.Show();
    s.Click("imgSP");
    // Without a Quake directory the game either is refused, which the player is told, or its
    // launch script is written; either way the click reached the launch.
    bool told = false;
    dialogs_->Expect([&told](QWidget* dialog) {
      told = true;
      dialog->close();
    });
    s.Click("imgStartSP");
    QTest::qWait(100);
    const bool written = s.dir.Has("run.sh") || s.dir.Has("run.bat");
    QVERIFY(told || written);
    if (!told) dialogs_->Clear();
  }
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::FrmMainTest)
#include "FrmMainTest.moc"
