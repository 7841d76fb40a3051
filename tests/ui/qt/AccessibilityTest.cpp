// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a screen reader meets them through Qt's accessibility: what each control is
// called and what it is, which label captions each field, what is left out, what a press does,
// what is announced when a map is chosen, how a field's text is read and edited, and that the
// keyboard focus leaves a hidden field.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "Accessibility.h"
#include "DialogAnswerer.h"
#include "MapBox.h"
#include "QtSession.h"
#include "TestSupport.h"
#include "frmDebug.h"

namespace kovar::test {
namespace {

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
// A press as a screen reader makes it, carried out once the call has returned.
void Press(QAccessibleInterface* image) {
  image->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QCoreApplication::processEvents();
}

QString NameOf(QAccessibleInterface* object) { return object->text(QAccessible::Name); }

// What a control is to Qt: what its row makes it, or what Qt makes of its kind.
QAccessible::Role RoleOf(const ControlDescription& row) {
  if (row.accessibleRole == AccessibleRole::PushButton) return QAccessible::Button;
  if (row.accessibleRole == AccessibleRole::Graphic) return QAccessible::Graphic;
  if (row.kind == ControlKind::Label) return QAccessible::StaticText;
  return row.kind == ControlKind::List ? QAccessible::List : QAccessible::EditableText;
}

// Everything a screen reader reaches by walking down from the window.
void Walk(QAccessibleInterface* object, std::vector<QAccessibleInterface*>& seen) {
  seen.push_back(object);
  for (int i = 0; i < object->childCount(); ++i) {
    QAccessibleInterface* child = object->child(i);
    QVERIFY(child);
    QCOMPARE(object->indexOfChild(child), i);
    QCOMPARE(child->parent(), object);
    Walk(child, seen);
  }
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  // Every row of both tables, as its description names it and gives it its role; where the
  // description names nothing, Qt names a label by its text.
  void EveryControlIsNamedAndHasItsRole() {
    Session s;
    s.Show();
    frmDebug console(s.program.ConsoleBehaviour());
    std::vector<std::pair<QWidget*, const ControlDescription*>> rows;
    for (const ControlDescription& row : kMainWindowControls)
      rows.push_back({s.Control(row.name), &row});
    for (const ControlDescription& row : kDebugWindowControls)
      rows.push_back({console.findChild<QWidget*>(row.name), &row});
    for (const auto& [widget, row] : rows) {
      if (row->kind == ControlKind::Panel || row->accessibleRole == AccessibleRole::Decoration)
        continue;
      const bool button = row->accessibleRole == AccessibleRole::PushButton;
      // A screen reader lands on the part of a box the player types in, and on the map box's list.
      std::vector<std::pair<QObject*, QAccessible::Role>> parts = {{widget, RoleOf(*row)}};
      if (auto* box = qobject_cast<QComboBox*>(widget)) parts = {{box->lineEdit(), RoleOf(*row)}};
      if (auto* box = qobject_cast<MapBox*>(widget))
        parts = {{box->Field(), RoleOf(*row)}, {box->List(), QAccessible::List}};
      for (const auto& [part, partRole] : parts) {
        QAccessibleInterface* object = Of(part);
        QVERIFY2(object, row->name);
        QCOMPARE(NameOf(object),
                 QString::fromLatin1(*row->accessibleName ? row->accessibleName : row->text));
        QCOMPARE(object->role(), partRole);
        const QStringList actions =
            object->actionInterface() ? object->actionInterface()->actionNames() : QStringList();
        QCOMPARE(actions.contains(QAccessibleActionInterface::pressAction()), button);
        // The map box's list is reached from its field.
        QCOMPARE(object->state().focusable, row->focusOrder > 0 && part == parts.front().first);
      }
    }
  }

  void EachFieldIsLabelledByItsCaption() {
    Session s;
    s.Show();
    for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
      const MainControl caption = CaptionOf(static_cast<MainControl>(row));
      const auto labels =
          Of(s.Control(kMainWindowControls[row].name))->relations(QAccessible::Label);
      QCOMPARE(labels.size(), caption == MainControl::Count ? 0 : 1);
      if (!labels.isEmpty())
        QCOMPARE(labels.first().first->object(), s.Control(Describe(caption).name));
    }
  }

  void TheTreeLeavesOutTheDecorationAndReadsAsLaidOut() {
    Session s;
    s.Show();
    std::vector<QAccessibleInterface*> seen;
    Walk(Of(s.window.get()), seen);
    QAccessibleInterface* client = Of(s.window->centralWidget());
    for (const ControlDescription& row : kMainWindowControls) {
      QAccessibleInterface* object = Of(s.Control(row.name));
      // The hidden panel, with all it holds, is read only once it is shown.
      const bool kept =
          row.accessibleRole != AccessibleRole::Decoration && s.Control(row.name)->isVisible();
      QVERIFY2((std::find(seen.begin(), seen.end(), object) != seen.end()) == kept, row.name);
      // Pointing at a control finds it, and pointing at decoration finds no decoration.
      const QPoint centre = object->rect().center();
      if (row.container == Container::Window && row.visible)
        QVERIFY2((client->childAt(centre.x(), centre.y()) == object) == kept, row.name);
    }
    // Each container read in the description's order, the hidden panel left out, each panel
    // named by the image that shows it; read again once the other panel shows.
    for (const char* shown : {"imgMain", "imgSP"}) {
      s.Click(shown);
      for (Container container : {Container::Window, Container::MainPanel, Container::StartPanel}) {
        const auto order = ReadingOrderOf(kMainWindowControls, container);
        QWidget* holder = container == Container::Window
                              ? s.window->centralWidget()
                              : s.Control(Describe(PanelOf(container)).name);
        QStringList expected;
        for (std::size_t i = 0; i < order.count; ++i) {
          const auto control = static_cast<MainControl>(order.rows[i]);
          if (s.Control(Describe(control).name)->isVisible())
            expected.append(QString::fromLatin1(Describe(control).name));
        }
        QStringList read;
        QAccessibleInterface* object = Of(holder);
        for (int i = 0; holder->isVisible() && i < object->childCount(); ++i)
          read.append(object->child(i)->object()->objectName());
        QCOMPARE(read, holder->isVisible() ? expected : QStringList());
      }
      QWidget* panel = s.Control(s.Control("picMain")->isVisible() ? "picMain" : "picSP");
      QCOMPARE(NameOf(Of(panel)), NameOf(Of(s.Control(shown))));
    }
  }

  void APressDoesWhatAClickDoesAndOnlyWhereAClickCould() {
    Session s;
    s.Show();
    s.launcher.State().SetText(TextField::QuakeDir, s.dir.Path());
    QWidget* picMain = s.Control("picMain");
    QWidget* picSP = s.Control("picSP");
    // The start image lies on the hidden panel: no click can reach it, nor can a press.
    Press(Of(s.Control("imgStartSP")));
    QVERIFY(!s.dir.Has("run.sh"));
    // The screen reader's call returns before the press does anything.
    Of(s.Control("imgSP"))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!picSP->isVisible());
    QCoreApplication::processEvents();
    QVERIFY(picSP->isVisible() && !picMain->isVisible());
    Press(Of(s.Control("imgMP")));
    Press(Of(s.Control("imgJoin")));
    QVERIFY(picSP->isVisible() && !picMain->isVisible());
    Press(Of(s.Control("imgStartSP")));
    QVERIFY(s.dir.Has("run.sh"));
    Press(Of(s.Control("imgMain")));
    QVERIFY(picMain->isVisible() && !picSP->isVisible());
    // The tiles and the logo have nothing to press.
    Press(Of(s.Control("imgLogo1")));
    QVERIFY(picMain->isVisible() && !picSP->isVisible());
  }

  void AChosenMapNamesThePreviewAndItsLabels() {
    Session s;
    s.WriteMap("Alpha Works", "a1", "A foundry by the sea.", 40, 30);
    s.Show();
    s.ClickMap(0);
    QCOMPARE(NameOf(Of(s.Control("lblMapTitle"))), QStringLiteral("Alpha Works"));
    QCOMPARE(NameOf(Of(s.Control("lblMapDes"))), QStringLiteral("A foundry by the sea."));
    QCOMPARE(NameOf(Of(s.Control("imgLevel"))), QStringLiteral("Alpha Works"));
    // The chosen entry is described by them, for the screen reader that reads the list.
    QCOMPARE(Of(s.Control<MapBox>("listMap")->List())->child(0)->text(QAccessible::Description),
             QStringLiteral("Alpha Works. A foundry by the sea."));
  }

  // With no screen reader listening, switching panels makes and deletes no accessible interface.
  void APanelShownIsPresentedAndCostsNothingUnheard() {
    Session s;
    s.Show();
    const QAccessible::Id before = QAccessible::uniqueId(Of(s.Control("imgStartSP")));
    for (const char* image : {"imgSP", "imgMain", "imgSP"}) s.Click(image);
    QCOMPARE(QAccessible::uniqueId(Of(s.Control("imgStartSP"))), before);
    QVERIFY(!Of(s.Control("imgStartSP"))->state().invisible);
    QAccessibleInterface* panel = Of(s.Control("picSP"));
    QCOMPARE(panel->role(), QAccessible::Notification);
    QCOMPARE(NameOf(panel), NameOf(Of(s.Control("imgSP"))));
  }

  // What a screen reader gets for a word, character, sentence or line at, before or after an
  // offset: at the start, the end, past the end and in no text at all, and never a hang.
  void AFieldsTextIsReadWholeAtEveryOffset() {
    enum Which { Before, At, After };
    struct Case {
      const char* text;
      QAccessible::TextBoundaryType type;
      int offset;
      Which which;
      const char* expected;
      int start;
      int end;
    };
    constexpr auto Word = QAccessible::WordBoundary;
    constexpr auto Char = QAccessible::CharBoundary;
    const Case cases[] = {
        {"Sunken Keep", Word, 0, At, "Sunken ", 0, 7},
        {"Sunken Keep", Word, 11, At, "Keep", 7, 11},
        {"Sunken Keep", Word, 12, At, "", 11, 11},
        {"Sunken Keep", Word, 0, After, "Keep", 7, 11},
        {"Sunken Keep", Word, 11, After, "", 11, 11},
        {"Sunken Keep", Word, 9, Before, "Sunken ", 0, 7},
        {"Sunken Keep", Char, 0, At, "S", 0, 1},
        {"Sunken Keep", Char, 0, Before, "", 0, 0},
        {"Sunken Keep", Char, 11, At, "", 11, 11},
        {"Sunken Keep", Char, 11, Before, "p", 10, 11},
        {"+skill 2", Word, 7, At, "2", 7, 8},
        {"+skill 2", Word, 0, At, "+", 0, 1},
        {"/tmp/quake", Word, 10, At, "quake", 5, 10},
        {"/tmp/quake", QAccessible::LineBoundary, 10, At, "/tmp/quake", 0, 10},
        {"Hold it. Then go", QAccessible::SentenceBoundary, 16, At, "Then go", 9, 16},
        {"", Word, 0, At, "", 0, 0},
        {"", Char, 0, After, "", 0, 0},
        {"", QAccessible::LineBoundary, 1, At, "", 0, 0},
    };
    InstallAccessibleInterfaces();
    QLineEdit field;
    for (const Case& c : cases) {
      field.setText(QString::fromLatin1(c.text));
      QAccessibleTextInterface* text = Of(&field)->textInterface();
      QVERIFY(text);
      int start = -1;
      int end = -1;
      const QString got = c.which == At ? text->textAtOffset(c.offset, c.type, &start, &end)
                          : c.which == Before
                              ? text->textBeforeOffset(c.offset, c.type, &start, &end)
                              : text->textAfterOffset(c.offset, c.type, &start, &end);
      const QByteArray row = QByteArray(c.text) + " at " + QByteArray::number(c.offset);
      QVERIFY2(got == QLatin1String(c.expected) && start == c.start && end == c.end, row);
      // One attribute run over the whole text, wherever it is asked for: a screen reader reads
      // the text up to the run's end.
      QCOMPARE(text->attributes(c.offset, &start, &end), QString());
      QVERIFY2(start == 0 && end == field.text().size(), row);
    }
  }

  // An edit through the screen reader is the player's own: filtered as typing is, taken by the
  // launcher, and made only where the player could type: never behind a box, nor in a field on
  // a hidden panel.
  void AnEditThroughTheScreenReaderIsThePlayers() {
    Session s;
    s.Show();
    QAccessibleEditableTextInterface* edit = Of(s.Control("txtCpar"))->editableTextInterface();
    QVERIFY(edit);
    edit->insertText(0, QStringLiteral("+skill 2\r\n"));
    edit->replaceText(7, 8, QStringLiteral("3"));
    QCOMPARE(s.Text(TextField::CustomParams), std::string("+skill 3"));

    DialogAnswerer answerer;
    answerer.Expect([edit](QWidget* box) {
      edit->insertText(0, QStringLiteral("-behind-a-box "));
      box->close();
    });
    s.desktop.ShowError("The game was not started.");
    s.Click("imgSP");
    edit->insertText(0, QStringLiteral("-on-a-hidden-panel "));
    QCOMPARE(s.Text(TextField::CustomParams), std::string("+skill 3"));
  }

  // Where the behaviour says the focus goes (its cases: the behaviour's tests), Qt puts it, and no
  // key reaches the hidden field.
  void TheFocusNeverRestsOnAHiddenControl() {
    Session s;
    s.Show();
    QWidget* field = s.Control<MapBox>("listMap")->Field();
    field->setFocus();
    const std::string map = s.Text(TextField::MapSelection);
    s.Click("imgSP");
    QCOMPARE(QApplication::focusWidget(), s.window.get());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(s.Text(TextField::MapSelection), map);
    s.Click("imgMain");
    QCOMPARE(s.window->focusWidget(), field);
  }
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::AccessibilityTest)
#include "AccessibilityTest.moc"
