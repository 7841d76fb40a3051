// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible interfaces of the launcher's images and of the containers that hold decoration,
// and the names and captions of every control.
#include "Accessibility.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include "AccessibleText.h"
#include "ImageControl.h"
#include "MapBox.h"

namespace kovar {

namespace {

// Where a control keeps the role its row gives it, for the interfaces made later on demand.
constexpr char kRoleProperty[] = "kovarAccessibleRole";
// Marks the panels, whose interfaces are made on demand too.
constexpr char kPanelProperty[] = "kovarPanel";
// A control's place in the order its container is read in.
constexpr char kReadProperty[] = "kovarReadAt";

bool IsHiddenPanel(const QWidget* widget) {
  return widget->isHidden() && widget->property(kPanelProperty).toBool();
}

AccessibleRole RoleOf(const QObject* object) {
  const QVariant role = object->property(kRoleProperty);
  return role.isValid() ? static_cast<AccessibleRole>(role.toInt()) : AccessibleRole::Standard;
}

// An image: a push button whose press is its click, a named graphic, or decoration.
class AccessibleImage : public QAccessibleWidget {
 public:
  explicit AccessibleImage(ImageControl* image) : QAccessibleWidget(image) {}

  // Read at each ask: Qt may make the interface before the window has described the image.
  QAccessible::Role role() const override {
    return Pressable() ? QAccessible::Button : QAccessible::Graphic;
  }

  QStringList actionNames() const override {
    if (!Pressable()) return {};
    return {pressAction()};
  }

  // A button that a click could not reach now (a box is open, its panel hidden) is unavailable.
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (Pressable() && !static_cast<ImageControl*>(widget())->CanPress()) state.disabled = true;
    return state;
  }

  // The press goes the way of a mouse click, and only where a click could land. It is carried out
  // once the screen reader's call has returned, so that a box it opens comes after the answer and
  // is presented as any box is; whether a click could land is asked again then.
  void doAction(const QString& action) override {
    if (action != pressAction() || !Pressable()) return;
    auto* image = static_cast<ImageControl*>(widget());
    QTimer::singleShot(0, image, [image] { image->Press(); });
  }

  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  bool Pressable() const { return RoleOf(widget()) == AccessibleRole::PushButton; }
};

// A plain container whose children a screen reader reads, except those drawn for the look only.
class AccessibleContainer : public QAccessibleWidget {
 public:
  explicit AccessibleContainer(QWidget* container) : QAccessibleWidget(container) {}

  // A panel is presented when it is shown, as a notification is: Qt 6.4 offers no announcement
  // of its own, and a screen reader presents a notification that shows by its name and the text
  // in it.
  QAccessible::Role role() const override {
    return widget()->property(kPanelProperty).toBool() ? QAccessible::Notification
                                                       : QAccessibleWidget::role();
  }

  int childCount() const override { return static_cast<int>(Children().size()); }

  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> children = Children();
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children[index]);
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child || !child->object() || !child->object()->isWidgetType()) return -1;
    return static_cast<int>(Children().indexOf(static_cast<QWidget*>(child->object())));
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    for (QWidget* child : Children()) {
      if (!child->isVisible()) continue;
      QAccessibleInterface* found = QAccessible::queryAccessibleInterface(child);
      if (found && found->rect().contains(x, y)) return found;
    }
    return nullptr;
  }

 private:
  // In the description's reading order; Qt's own order is the stacking order, which would read
  // the navigation images out of turn. A hidden panel, with all it holds, is no child until it is
  // shown.
  QList<QWidget*> Children() const {
    QList<QWidget*> children;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (child && !child->isWindow() && !IsHiddenPanel(child) &&
          child->property(kReadProperty).isValid()) {
        children.append(child);
      }
    }
    std::sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
      return a->property(kReadProperty).toInt() < b->property(kReadProperty).toInt();
    });
    return children;
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (auto* field = qobject_cast<QLineEdit*>(object);
      field && className == QLatin1String(QLineEdit::staticMetaObject.className())) {
    return MakeAccessibleText(field);
  }
  if (auto* image = qobject_cast<ImageControl*>(object);
      image && className == QLatin1String(ImageControl::staticMetaObject.className())) {
    return new AccessibleImage(image);
  }
  // Only a widget of Qt's plain class: the panels and the main window's client area.
  if (object && object->metaObject() == &QWidget::staticMetaObject &&
      className == QLatin1String("QWidget")) {
    return new AccessibleContainer(static_cast<QWidget*>(object));
  }
  return nullptr;
}

void Announce(QWidget* widget, const ControlDescription& row) {
  widget->setProperty(kRoleProperty, static_cast<int>(row.accessibleRole));
  const QString name = QString::fromLatin1(row.accessibleName);
  if (name.isEmpty()) return;
  widget->setAccessibleName(name);
  // A screen reader lands on the part the player types in, and on the map box's list.
  if (auto* box = qobject_cast<QComboBox*>(widget); box && box->lineEdit()) {
    box->lineEdit()->setAccessibleName(name);
  }
  if (auto* box = qobject_cast<MapBox*>(widget)) {
    box->Field()->setAccessibleName(name);
    box->List()->setAccessibleName(name);
  }
}

// A panel is presented as a notification is.
void NamePanel(MainControl panel, QWidget* widget) {
  widget->setAccessibleName(QString::fromLatin1(PanelName(panel)));
  widget->setProperty(kPanelProperty, true);
}

// Each control's place in its container's reading.
template <std::size_t N>
void RankForReading(const std::array<ControlDescription, N>& table,
                    const std::array<QWidget*, N>& controls) {
  for (Container container : {Container::Window, Container::MainPanel, Container::StartPanel}) {
    const ReadingOrder<N> order = ReadingOrderOf(table, container);
    for (std::size_t i = 0; i < order.count; ++i) {
      controls[order.rows[i]]->setProperty(kReadProperty, static_cast<int>(i));
    }
  }
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

void MakeAccessible(
    const std::array<QWidget*, static_cast<std::size_t>(MainControl::Count)>& controls) {
  InstallAccessibleInterfaces();
  for (std::size_t row = 0; row < controls.size(); ++row) {
    const auto control = static_cast<MainControl>(row);
    Announce(controls[row], Describe(control));
    if (Describe(control).kind == ControlKind::Panel) NamePanel(control, controls[row]);
    const MainControl caption = CaptionOf(control);
    if (caption != MainControl::Count) {
      // Gives the field its "labelled by" relation; the captions hold no "&", so no shortcut.
      static_cast<QLabel*>(controls[static_cast<std::size_t>(caption)])->setBuddy(controls[row]);
    }
  }
  RankForReading(kMainWindowControls, controls);
}

void MakeAccessible(
    const std::array<QWidget*, static_cast<std::size_t>(DebugControl::Count)>& controls) {
  InstallAccessibleInterfaces();
  for (std::size_t row = 0; row < controls.size(); ++row) {
    Announce(controls[row], Describe(static_cast<DebugControl>(row)));
  }
}

void PanelShownOrHidden(QWidget* panel) {
  // With nobody listening there is nothing to tell, and no interface to make.
  if (!QAccessible::isActive()) return;
  // A screen reader that keeps what it learnt of each object keeps the visibility it first saw.
  // Qt tells of a change only as "showing", never as "visible": so a hidden panel is no child of
  // its window, never read while it is hidden, and arrives as a new child when it is shown, to be
  // read afresh. Its objects stay the same ones, so that nothing is made or deleted at a switch.
  if (panel->isHidden()) {
    QAccessibleEvent removed(panel, QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&removed);
    return;
  }
  QAccessibleEvent added(panel, QAccessible::ObjectCreated);
  QAccessible::updateAccessibility(&added);
}

void AnnouncePanel(QWidget* panel) {
  if (!QAccessible::isActive() || panel->isHidden()) return;
  // It tells of its showing, as a notification does, so that the panel is heard.
  QAccessibleEvent shown(panel, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace kovar
