// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt debug console: its look, the keys that must do nothing, the resize rule on a real window
// and the log it lists. The send rules are tested once, with the window behaviour.
#include <memory>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "TestSupport.h"
#include "frmDebug.h"

namespace kovar::test {
namespace {

// What a list shows, top to bottom.
QStringList RowsOf(const QListView* list) {
  QStringList rows;
  const QAbstractItemModel* model = list->model();
  for (int row = 0; row < model->rowCount(); ++row) rows << model->index(row, 0).data().toString();
  return rows;
}

// A launcher over a temporary directory and its console, created hidden as at start-up.
struct Console {
  Fixture f;
  DebugBehaviour behaviour{f.launcher};
  frmDebug window{behaviour};
  QListView* listDebug = window.findChild<QListView*>(QStringLiteral("listDebug"));
  QLineEdit* txtMain = window.findChild<QLineEdit*>(QStringLiteral("txtMain"));
  QPushButton* cmdSend = window.findChild<QPushButton*>(QStringLiteral("cmdSend"));

  void Show() {
    window.ShowWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
  }
  void Send(const QString& text) {
    txtMain->setText(text);
    cmdSend->click();
  }
  QStringList Rows() const { return RowsOf(listDebug); }
  const std::vector<std::string>& Log() const { return f.state.Log(); }
};

QStringList Shown(const std::vector<std::string>& lines) {
  QStringList rows;
  for (const std::string& line : lines) rows << QString::fromLocal8Bit(line.c_str());
  return rows;
}

std::string ManyLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

}  // namespace

class FrmDebugTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensAsASeparateWindowWithItsControlsInPlace() {
    Console c;
    QVERIFY(c.listDebug && c.txtMain && c.cmdSend);
    QVERIFY(!c.window.isVisible());
    c.Show();
    QCOMPARE(c.window.windowTitle(), QStringLiteral("Debug"));
    QVERIFY(c.window.isWindow());
    QVERIFY(c.window.parentWidget() == nullptr);
    QVERIFY(!c.window.isModal());
    QCOMPARE(c.window.size(), QSize(312, 213));
    QVERIFY(!c.window.testAttribute(Qt::WA_SetWindowIcon));
    QVERIFY(c.window.findChild<QMenuBar*>() == nullptr);

    QCOMPARE(c.cmdSend->geometry(), QRect(288, 0, 17, 17));
    QVERIFY(c.cmdSend->text().isEmpty() && c.cmdSend->icon().isNull());
    QVERIFY(!c.cmdSend->isDefault() && !c.cmdSend->autoDefault());
    QCOMPARE(c.txtMain->geometry(), QRect(0, 0, 281, 19));
    QVERIFY(c.txtMain->text().isEmpty());
    // Showing gives the window its size, so the resize rule has already set the list.
    QCOMPARE(c.listDebug->geometry(), QRect(0, 24, 312, 189));
    QCOMPARE(c.listDebug->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(c.listDebug->model()->rowCount(), 0);

    // Qt keeps siblings back to front; the button lies in front.
    const QObjectList stack = c.window.children();
    QVERIFY(stack.indexOf(c.listDebug) < stack.indexOf(c.txtMain));
    QVERIFY(stack.indexOf(c.txtMain) < stack.indexOf(c.cmdSend));

    QWidget* next = c.listDebug->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    QCOMPARE(next, c.txtMain);
    next = c.txtMain->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    QCOMPARE(next, c.cmdSend);
  }

  void TheTypedLineGoesAsLocalBytesAndIsListedDecoded() {
    Console c;
    const QString typed = QStringLiteral(" exe Caf\u00e9.exe ");
    c.Send(typed);
    QCOMPARE(c.Log(), std::vector<std::string>{typed.toLocal8Bit().toStdString()});
    QCOMPARE(c.Rows(), QStringList{typed});
    QVERIFY(c.txtMain->text().isEmpty());
  }

  void EnterAndEscapeDoNothing() {
    Console c;
    c.Show();
    c.txtMain->setFocus();
    QTest::keyClicks(c.txtMain, QStringLiteral("exe GLQuake.exe"));
    QTest::keyClick(c.txtMain, Qt::Key_Return);
    QTest::keyClick(c.txtMain, Qt::Key_Enter);
    QTest::keyClick(c.txtMain, Qt::Key_Escape);
    c.cmdSend->setFocus();
    QTest::keyClick(c.cmdSend, Qt::Key_Return);
    QTest::keyClick(c.cmdSend, Qt::Key_Escape);
    QTest::keyClick(&c.window, Qt::Key_Escape);
    QVERIFY(c.Log().empty());
    QCOMPARE(c.txtMain->text(), QStringLiteral("exe GLQuake.exe"));
    QCOMPARE(c.f.Text(TextField::EngineText), std::string("LucidGL.exe"));
    QVERIFY(c.window.isVisible());
  }

  void ResizeGivesTheListTheClientAreaBelowTheTextBox() {
    Console c;
    c.Show();
    // 6000 x 3990 twips, the nearest whole-pixel area to 6000 x 4000: the list gets 6000 x 3630.
    c.window.resize(400, 266);
    QCOMPARE(c.listDebug->geometry(), QRect(0, 24, 400, 242));
    QCOMPARE(c.txtMain->geometry(), QRect(0, 0, 281, 19));
    QCOMPARE(c.cmdSend->geometry(), QRect(288, 0, 17, 17));

    // Lower than the text box row: the list gets no height rather than a negative one.
    c.window.resize(200, 10);
    QCOMPARE(c.window.size(), QSize(200, 10));
    QCOMPARE(c.listDebug->geometry(), QRect(0, 24, 200, 0));
    QCOMPARE(c.cmdSend->geometry(), QRect(288, 0, 17, 17));
  }

  void AppendingNeitherSelectsNorScrolls() {
    Console c;
    c.f.dir.Write("many.kvx", ManyLines(200));
    c.Show();
    c.Send(QStringLiteral("exec many.kvx"));
    QCoreApplication::processEvents();
    const QModelIndex chosen = c.listDebug->model()->index(5, 0);
    c.listDebug->setCurrentIndex(chosen);
    c.listDebug->scrollToTop();
    QCoreApplication::processEvents();

    (void)c.f.launcher.RunCommand("exec many.kvx");
    QCoreApplication::processEvents();
    QCOMPARE(c.listDebug->model()->rowCount(), 402);
    QCOMPARE(c.listDebug->currentIndex(), chosen);
    QCOMPARE(c.listDebug->selectionModel()->selectedIndexes(), QModelIndexList{chosen});
    QCOMPARE(c.listDebug->verticalScrollBar()->value(), 0);
  }

  void ALongRunIsAnnouncedToTheListAtOnce() {
    Console c;
    c.f.dir.Write("many.kvx", ManyLines(1000));
    QSignalSpy inserted(c.listDebug->model(), &QAbstractItemModel::rowsInserted);
    c.Send(QStringLiteral("exec many.kvx"));
    QCoreApplication::processEvents();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted[0][1].toInt(), 0);
    QCOMPARE(inserted[0][2].toInt(), 1000);
    QCOMPARE(c.Rows(), Shown(c.Log()));

    // Lines run from elsewhere reach the list when the event loop next runs.
    (void)c.f.launcher.RunCommand("exe GLQuake.exe");
    QCOMPARE(c.listDebug->model()->rowCount(), 1001);
    QTRY_COMPARE(c.listDebug->model()->rowCount(), 1002);
  }

  void ClosingKeepsTheLogAndRunsNothing() {
    Console c;
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    c.Show();
    c.Send(QStringLiteral("exe GLQuake.exe"));
    QVERIFY(c.window.close());
    QVERIFY(!c.window.isVisible());
    QCOMPARE(lastClosed.count(), 0);
    QCOMPARE(c.Log().size(), std::size_t{1});
    QVERIFY(c.f.desktop.errors.empty());

    (void)c.f.launcher.RunCommand("cpar -zone 2048");
    c.Show();
    QCOMPARE(c.Rows(),
             (QStringList{QStringLiteral("exe GLQuake.exe"), QStringLiteral("cpar -zone 2048")}));
  }
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::FrmDebugTest)
#include "FrmDebugTest.moc"
