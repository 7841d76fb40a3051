// The windows as a screen reader meets them through Qt's accessibility: what each control is
// called and what it is, which label captions each field, what is left out, what a press does,
// and what is announced when a map is chosen.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "Launcher.h"
#include "MapBox.h"
#include "QtPlatform.h"
#include "TestSupport.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace kovar::test {
namespace {

struct Session {
  TempDir dir;
  QtPlatform platform;
  Launcher launcher{dir.Path(), platform};
  std::unique_ptr<frmDebug> console;
  std::unique_ptr<frmMain> window;

  // `before` writes what the launcher's folder holds before the windows are made.
  explicit Session(const std::function<void(TempDir&)>& before = {}) {
    if (before) before(dir);
    console = std::make_unique<frmDebug>(launcher);
    window = std::make_unique<frmMain>(launcher, platform);
    platform.SetMainWindow(window.get());
    window->SetProgramEnder([] {});
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the window was not shown");
  }
  template <typename T = QWidget>
  T* Control(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  static QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
  }
  QAccessibleInterface* Of(const char* name) const { return Of(Control(name)); }
  static void Press(QAccessibleInterface* image) {
    image->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  }
};

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
    struct Expected {
      QObject* object;
      QAccessible::Role role;
      const char* name;
      bool pressable;
    };
    const std::vector<Expected> controls = {
        {s.Control("imgMain"), QAccessible::Button, "Main", true},
        {s.Control("imgSP"), QAccessible::Button, "Single Player", true},
        {s.Control("imgMP"), QAccessible::Button, "Multi Player", true},
        {s.Control("imgJoin"), QAccessible::Button, "Join", true},
        {s.Control("imgStartSP"), QAccessible::Button, "Start", true},
        {s.Control("imgLogo1"), QAccessible::Graphic, "Kovar Launcher", false},
        {s.Control("imgLevel"), QAccessible::Graphic, "", false},
        {s.Control<QComboBox>("comboEXE")->lineEdit(), QAccessible::EditableText, "EXE", false},
        {s.Control<MapBox>("listMap")->Field(), QAccessible::EditableText, "Map", false},
        {s.Control<MapBox>("listMap")->List(), QAccessible::List, "Map", false},
        {s.Control("txtCpar"), QAccessible::EditableText, "Custom Parameters", false},
        {s.Control("lblTitle"), QAccessible::StaticText, "Main", false},
        {s.console->listDebug(), QAccessible::List, "Log", false},
        {s.console->txtMain(), QAccessible::EditableText, "Command", false},
        {s.console->cmdSend(), QAccessible::Button, "Send", true},
    };
    for (const Expected& expected : controls) {
      QAccessibleInterface* object = Session::Of(expected.object);
      QVERIFY(object);
      QCOMPARE(NameOf(object), QString::fromLatin1(expected.name));
      QCOMPARE(object->role(), expected.role);
      const QStringList actions =
          object->actionInterface() ? object->actionInterface()->actionNames() : QStringList();
      QCOMPARE(actions.contains(QAccessibleActionInterface::pressAction()), expected.pressable);
      QVERIFY(!object->state().focusable || expected.role != QAccessible::Button ||
              expected.object == s.console->cmdSend());
    }
  }

  void EachFieldIsLabelledByItsCaption() {
    Session s;
    const std::vector<std::pair<const char*, const char*>> captions = {
        {"comboEXE", "EXE:"}, {"listMap", "Map:"}, {"txtCpar", "Custom Parameters:"}};
    for (const auto& [field, caption] : captions) {
      const auto labels = s.Of(field)->relations(QAccessible::Label);
      QCOMPARE(labels.size(), 1);
      QCOMPARE(NameOf(labels.first().first), QString::fromLatin1(caption));
    }
  }

  void TheTreeLeavesOutTheTilesAndTheLineAndReadsAsLaidOut() {
    Session s;
    std::vector<QAccessibleInterface*> seen;
    Walk(Session::Of(s.window.get()), seen);
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
    QAccessibleInterface* client = Session::Of(s.window->centralWidget());
    QStringList read;
    for (int i = 0; i < 6; ++i) read << NameOf(client->child(i));
    QCOMPARE(read, QStringList({"Kovar Launcher", "Main", "Single Player", "Multi Player", "Join",
                                "Main"}));
    // Pointing at a tile finds no tile.
    const QRect tile = Session::Of(s.Control("imgTile3"))->rect();
    QVERIFY(!client->childAt(tile.center().x(), tile.center().y()));
    const QRect logo = s.Of("imgLogo1")->rect();
    QCOMPARE(client->childAt(logo.center().x(), logo.center().y()), s.Of("imgLogo1"));
  }

  void APressDoesWhatAClickDoesAndOnlyWhereAClickCould() {
    Session s;
    s.launcher.State().SetText(TextField::QuakeDir, s.dir.Path());
    QWidget* picMain = s.Control("picMain");
    QWidget* picSP = s.Control("picSP");
    // The start image lies on the hidden panel: no click can reach it, nor can a press.
    Session::Press(s.Of("imgStartSP"));
    QVERIFY(!s.dir.Has("run.sh"));
    Session::Press(s.Of("imgSP"));
    QVERIFY(picSP->isVisible() && !picMain->isVisible());
    Session::Press(s.Of("imgMP"));
    Session::Press(s.Of("imgJoin"));
    QVERIFY(picSP->isVisible() && !picMain->isVisible());
    Session::Press(s.Of("imgStartSP"));
    QVERIFY(s.dir.Has("run.sh"));
    Session::Press(s.Of("imgMain"));
    QVERIFY(picMain->isVisible() && !picSP->isVisible());
    // The tiles and the logo have nothing to press.
    Session::Press(s.Of("imgLogo1"));
    QVERIFY(picMain->isVisible() && !picSP->isVisible());
  }

  void AChosenMapNamesThePreviewAndItsLabels() {
    Session s([](TempDir& dir) {
      dir.Write("data/Alpha Works.kvx", "a1\r\nA foundry by the sea.\r\n");
      dir.Write("data/Alpha Works.bmp", MakeBmp(40, 30));
    });
    QListView* list = s.Control<MapBox>("listMap")->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    QCOMPARE(NameOf(s.Of("lblMapTitle")), QStringLiteral("Alpha Works"));
    QCOMPARE(NameOf(s.Of("lblMapDes")), QStringLiteral("A foundry by the sea."));
    QCOMPARE(NameOf(s.Of("imgLevel")), QStringLiteral("Alpha Works"));
  }
};

}  // namespace kovar::test

QTEST_MAIN(kovar::test::AccessibilityTest)
#include "AccessibilityTest.moc"
