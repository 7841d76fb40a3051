// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt main window under the offscreen platform: what only its real widgets show. Its
// behaviour is tested once, through a recording view, with the window behaviour.
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "DialogAnswerer.h"
#include "FrontRow.h"
#include "ImageControl.h"
#include "LauncherApplication.h"
#include "MapBox.h"
#include "TextControls.h"
#include "QtSession.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

// The bitmap the build ships for an image.
QString ArtworkFile(Artwork artwork) {
  return QStringLiteral(":/assets/%1.bmp").arg(QString::fromLatin1(ArtworkName(artwork)));
}

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

  void EachEventReachesTheBehaviourAndItsAnswersTheControls() {
    Session s;
    s.WriteMap("alpha", "a1", "First.");
    s.WriteMap("beta", "b1", "Second.");
    s.dir.Write("auto.kvx", "");
    s.Show();
    QVERIFY(s.launcher.Main().ok());
    auto* listMap = s.Control<MapBox>("listMap");
    auto* comboEXE = s.Control<QComboBox>("comboEXE");
    // Filling the lists selected nothing.
    QCOMPARE(comboEXE->currentIndex(), -1);
    QCOMPARE(comboEXE->count(), static_cast<int>(kEngines.size()));
    QCOMPARE(listMap->List()->currentIndex().row(), -1);
    s.Click("imgSP");
    QVERIFY(s.Control("picSP")->isVisible() && !s.Control("picMain")->isVisible());
    // A click on an entry and a key that moves the selection both choose it.
    s.ClickMap(0);
    const QString first = listMap->Field()->text();
    QCOMPARE(s.Control<QLabel>("lblMapTitle")->text(), first);
    QTest::keyClick(listMap->Field(), Qt::Key_Down);
    QVERIFY(listMap->Field()->text() != first);
    QCOMPARE(s.Control<QLabel>("lblMapTitle")->text(), listMap->Field()->text());
    QTest::keyClicks(s.Control("txtCpar"), "-fast");
    QCOMPARE(s.Text(TextField::CustomParams), std::string("-fast"));
    // The start image reaches the launch: without a Quake directory it is refused, and said so.
    QString refusal;
    dialogs_->Expect([&refusal](QWidget* dialog) {
      refusal = qobject_cast<QMessageBox*>(dialog)->text();
      dialog->close();
    });
    s.Click("imgStartSP");
    QVERIFY(!refusal.isEmpty());
    // Closing the window ends the program, by way of the behaviour, which saved.
    s.window->close();
    QCOMPARE(s.ends, 1);
    QVERIFY(s.dir.Has("config.kvx"));
  }

  void TheWindowShowsWhatTheTablePutsInFront() {
    Session s;
    s.WriteMap("tall", "e1m1", "A description long enough to fill the label's lines.", 160, 120);
    s.dir.Write("config.kvx", "map tall\r\n");
    s.dir.Write("auto.kvx", "exec config.kvx\r\n");
    s.Create();
    QVERIFY(s.launcher.Main().ok());
    const QImage shown = s.window->centralWidget()->grab().toImage();
    QCOMPARE(shown.size(), QSize(399, 291));
    std::map<Artwork, QImage> artwork;
    const PaintCheck check =
        CheckPaint([&shown](int x, int y) { return shown.pixel(x, y) & 0xFFFFFFu; },
                   [&artwork](Artwork picture, int x, int y) {
                     QImage& bitmap = artwork[picture];
                     if (bitmap.isNull()) bitmap = QImage(ArtworkFile(picture));
                     return bitmap.pixel(x, y) & 0xFFFFFFu;
                   },
                   160, 120);
    QCOMPARE(check.wrong, 0);
    QCOMPARE(check.compared, kFrontPixels);
    QCOMPARE(check.tileOverLogo, kTileOverLogo);
    QCOMPARE(check.mainOverLogo, kMainOverLogo);
    QVERIFY(check.textOverPreview > 0);
  }

  void OnlyTheFieldsTakeFocusInTheirOrder() {
    Session s;
    s.WriteMap("one", "e1m1", "One.");
    s.Show();
    constexpr auto kTab = TabOrderOf(kMainWindowControls);
    std::vector<QWidget*> fields;
    for (std::size_t i = 0; i < kTab.focusable; ++i)
      fields.push_back(s.Control(kMainWindowControls[kTab.rows[i]].name));
    auto owner = [&](QWidget* focus) -> QWidget* {
      for (QWidget* field : fields) {
        if (focus == field || field->isAncestorOf(focus)) return field;
      }
      return focus;
    };
    fields[0]->setFocus();
    for (std::size_t i = 1; i <= fields.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(owner(QApplication::focusWidget()), fields[i % fields.size()]);
    }
    // Clicking a picture, a label or the map list keeps the focus where it is, or on the map box.
    QTest::mouseClick(s.Control("imgLevel"), Qt::LeftButton);
    QTest::mouseClick(s.Control("lblMapDes"), Qt::LeftButton);
    QCOMPARE(owner(QApplication::focusWidget()), fields[0]);
    for (QWidget* widget : s.window->findChildren<QWidget*>()) {
      const bool field = std::find(fields.begin(), fields.end(), owner(widget)) != fields.end();
      if (!field && widget->isVisible() && !qobject_cast<QMenuBar*>(widget) &&
          widget != s.window.get()) {
        QVERIFY2(widget->focusPolicy() == Qt::NoFocus, qPrintable(widget->objectName()));
      }
    }
  }

  void TheMenusShowWhatCanBeChosen() {
    Session s;
    s.Create();
    QList<QAction*> bar;
    for (const MenuItemDescription& row : kMainMenu) {
      QAction* item = s.Item(row.name);
      QVERIFY2(item, row.name);
      QCOMPARE(item->isVisible(), row.visible);
      QCOMPARE(item->isEnabled(), row.enabled);
      QCOMPARE(item->isSeparator(), row.separator);
      if (row.parent == Menu::Bar) bar.append(item);
      if (row.separator) continue;
      QCOMPARE(item->text(), QString::fromLatin1(row.caption));
      QVERIFY(item->shortcut().isEmpty());
      QVERIFY(!item->isCheckable());
    }
    QCOMPARE(s.window->menuBar()->actions(), bar);
  }

  void TheDebugMenuItemCannotOpenTheConsole() {
    TempDir dir;
    LauncherApplication app(dir.Path());
    QAction* item = app.frmMain().findChild<QAction*>(QStringLiteral("menuDebugMode"));
    QVERIFY(item);
    item->trigger();
    QVERIFY(!app.frmDebug().isVisible());
    // Were it ever enabled, the item would show the console that already holds the log.
    item->setVisible(true);
    item->setEnabled(true);
    item->trigger();
    QVERIFY(app.frmDebug().isVisible());
  }

  void TheSessionsCheckpointSavesAndItsEndEndsTheProgramWithOneSave() {
    TempDir dir;
    dir.Write("auto.kvx", "cpar -old\r\n");
    LauncherApplication app(dir.Path());
    std::string checkpoint;
    bool goesOn = false;
    QTimer::singleShot(0, &app.frmMain(), [&] {
      app.Program().SessionSaveAsked();
      checkpoint = dir.Read("config.kvx");
      goesOn = !app.Program().Ended() && app.frmMain().isVisible();
      // The session's end saves once more, and a save that fails shows no box.
      std::filesystem::remove(dir.File("config.kvx"));
      std::filesystem::remove(dir.File("settings.kvx"));
      std::filesystem::create_directory(dir.File("settings.kvx"));
      QEvent quit(QEvent::Quit);
      QCoreApplication::sendEvent(qApp, &quit);
    });
    QCOMPARE(app.Run(), 0);
    QCOMPARE(checkpoint, std::string("exe LucidGL.exe\r\ncpar -old\r\n"));
    QVERIFY(goesOn);
    QVERIFY(app.Program().Ended());
    QCOMPARE(dir.Read("config.kvx"), checkpoint);
    std::filesystem::remove(dir.File("config.kvx"));
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    app.frmMain().close();
    QVERIFY(!dir.Has("config.kvx"));
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
    // The description's lone carriage return is the box's line break.
    QCOMPARE(text.split(u'\n'), QString::fromLatin1(kAboutText).split(u'\r'));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
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
    QCOMPARE(s.Text(TextField::EngineText), ToBytes(comboEXE->itemText(3)));
    QCOMPARE(s.Text(TextField::MapSelection), map);
  }

  void PastedLineBreaksAreDropped() {
    Session s;
    s.Show();
    // A settings file holds one value a line.
    QApplication::clipboard()->setText(QStringLiteral("a\r\nb\nc"));
    for (const char* name : {"txtCpar", "listMap"}) {
      QLineEdit* field = s.Control<QLineEdit>(name) ? s.Control<QLineEdit>(name)
                                                    : s.Control<MapBox>(name)->Field();
      field->setFocus();
      field->paste();
    }
    QCOMPARE(s.Text(TextField::CustomParams), std::string("abc"));
    QCOMPARE(s.Text(TextField::MapSelection), std::string("abc"));
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
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::FrmMainTest)
#include "FrmMainTest.moc"
