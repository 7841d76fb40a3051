// The windows as a screen reader meets them through Qt's accessibility: what each control is
// called and what it is, which label captions each field, what is left out, what a press does,
// and what is announced when a map is chosen.
#include <string>
#include <vector>

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "MapBox.h"
#include "QtSession.h"
#include "TestSupport.h"
#include "frmDebug.h"

namespace kovar::test {
namespace {

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
void Press(QAccessibleInterface* image) {
  image->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

QString NameOf(QAccessibleInterface* object) { return object->text(QAccessible::Name); }

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
  void EveryControlIsNamedAndHasItsRole() {
    Session s;
    s.Show();
    frmDebug console(s.program.Console());
    struct Expected {
      QObject* object;
      QAccessible::Role role;
      const char* name;
      bool pressable;
    };
    std::vector<Expected> controls = {
        {s.Control<QComboBox>("comboEXE")->lineEdit(), QAccessible::EditableText, "EXE", false},
        {s.Control<MapBox>("listMap")->Field(), QAccessible::EditableText, "Map", false},
        {s.Control<MapBox>("listMap")->List(), QAccessible::List, "Map", false},
        {s.Control("txtCpar"), QAccessible::EditableText, "Custom Parameters", false},
        {s.Control("lblTitle"), QAccessible::StaticText, "Main", false},
        {console.listDebug(), QAccessible::List, "Log", false},
        {console.txtMain(), QAccessible::EditableText, "Command", false},
        {console.cmdSend(), QAccessible::Button, "Send", true},
    };
    // The buttons and pictures, named as the description names them.
    for (const ControlDescription& row : kMainWindowControls) {
      const bool button = row.accessibleRole == AccessibleRole::PushButton;
      if (!button && row.accessibleRole != AccessibleRole::Graphic) continue;
      controls.push_back({s.Control(row.name), button ? QAccessible::Button : QAccessible::Graphic,
                          row.accessibleName, button});
    }
    for (const Expected& expected : controls) {
      QAccessibleInterface* object = Of(expected.object);
      QVERIFY(object);
      QCOMPARE(NameOf(object), QString::fromLatin1(expected.name));
      QCOMPARE(object->role(), expected.role);
      const QStringList actions =
          object->actionInterface() ? object->actionInterface()->actionNames() : QStringList();
      QCOMPARE(actions.contains(QAccessibleActionInterface::pressAction()), expected.pressable);
      QVERIFY(!object->state().focusable || expected.role != QAccessible::Button ||
              expected.object == console.cmdSend());
    }
  }

  void EachFieldIsLabelledByItsCaption() {
    Session s;
    s.Show();
    const std::vector<std::pair<const char*, const char*>> captions = {
        {"comboEXE", "EXE:"}, {"listMap", "Map:"}, {"txtCpar", "Custom Parameters:"}};
    for (const auto& [field, caption] : captions) {
      const auto labels = Of(s.Control(field))->relations(QAccessible::Label);
      QCOMPARE(labels.size(), 1);
      QCOMPARE(NameOf(labels.first().first), QString::fromLatin1(caption));
    }
  }

  void TheTreeLeavesOutTheTilesAndTheLineAndReadsAsLaidOut() {
    Session s;
    s.Show();
    std::vector<QAccessibleInterface*> seen;
    Walk(Of(s.window.get()), seen);
    QStringList objects;
    for (QAccessibleInterface* object : seen) {
      if (object->object()) objects << object->object()->objectName();
    }
    for (const char* left :
         {"imgTile1", "imgTile2", "imgTile3", "imgTile4", "imgTile5", "imgTile6", "Line1"}) {
      QVERIFY2(!objects.contains(QString::fromLatin1(left)), left);
    }
    for (const char* kept : {"imgLogo1", "imgMain", "imgSP", "imgMP", "imgJoin", "imgStartSP",
                             "imgLevel", "lblTitle", "lblMapTitle", "lblMapDes", "txtCpar"}) {
      QVERIFY2(objects.contains(QString::fromLatin1(kept)), kept);
    }
    // Read as laid out: the logo, the navigation column from the top, then the title.
    QAccessibleInterface* client = Of(s.window->centralWidget());
    QStringList read;
    for (int i = 0; i < 6; ++i) read << NameOf(client->child(i));
    QCOMPARE(read, QStringList({"Kovar Launcher", "Main", "Single Player", "Multi Player", "Join",
                                "Main"}));
    // Pointing at a tile finds no tile.
    const QRect tile = Of(s.Control("imgTile3"))->rect();
    QVERIFY(!client->childAt(tile.center().x(), tile.center().y()));
    const QRect logo = Of(s.Control("imgLogo1"))->rect();
    QCOMPARE(client->childAt(logo.center().x(), logo.center().y()), Of(s.Control("imgLogo1")));
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
    Press(Of(s.Control("imgSP")));
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

  // A screen reader that caches what it learnt meets the shown panel's objects as new ones, read
  // afresh as visible, and the panel as a notification named for the image that shows it.
  void APanelShownIsMadeAnewAndPresented() {
    Session s;
    s.Show();
    const QAccessible::Id before = QAccessible::uniqueId(Of(s.Control("imgStartSP")));
    Press(Of(s.Control("imgSP")));
    QVERIFY(QAccessible::uniqueId(Of(s.Control("imgStartSP"))) != before);
    QVERIFY(!Of(s.Control("imgStartSP"))->state().invisible);
    QAccessibleInterface* panel = Of(s.Control("picSP"));
    QCOMPARE(panel->role(), QAccessible::Notification);
    QCOMPARE(NameOf(panel), QStringLiteral("Single Player"));
  }
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::AccessibilityTest)
#include "AccessibilityTest.moc"
