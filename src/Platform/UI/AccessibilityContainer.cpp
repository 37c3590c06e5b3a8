#include "Platform/UI/AccessibilityContainer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace {

constexpr const char* kIsContainer = "quilletAccessibilityContainer";

AccessibilityContainer* containerOf(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kIsContainer).toBool()) return nullptr;
    return dynamic_cast<AccessibilityContainer*>(widget);
}

// True while some of the element's frame is seen: the widget is shown and the frame is not
// scrolled or clipped out of view.
bool isElementShowing(const QWidget* widget, const AccessibilityContainer& owner, int index) {
    if (!widget->isVisible()) return false;
    return widget->visibleRegion().intersects(owner.accessibilityElementFrame(index));
}

// One element of a container: no widget of its own, everything asked of the container.
class AccessibleContainerElement : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleContainerElement(QWidget* widget, int index) : widget_(widget), index_(index) {}

    bool isValid() const override { return container() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return widget_ ? widget_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(widget_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        const AccessibilityContainer* owner = container();
        if (owner == nullptr || t != QAccessible::Name) return {};
        return owner->accessibilityElementLabel(index_);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const AccessibilityContainer* owner = container();
        if (owner == nullptr) return {};
        const QRect frame = owner->accessibilityElementFrame(index_);
        return QRect(widget_->mapToGlobal(frame.topLeft()), frame.size());
    }

    QAccessible::Role role() const override {
        const AccessibilityContainer* owner = container();
        return owner && owner->accessibilityElementsAreChoices() ? QAccessible::RadioButton : QAccessible::Button;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        const AccessibilityContainer* owner = container();
        if (owner == nullptr) {
            s.invalid = true;
            return s;
        }
        const bool selected = (owner->accessibilityElementTraits(index_) & AccessibilityTraitSelected) != 0;
        if (owner->accessibilityElementsAreChoices()) {
            s.checkable = true;
            s.checked = selected;
        } else {
            s.selectable = true;
            s.selected = selected;
        }
        s.invisible = !widget_->isVisible();
        s.offscreen = !s.invisible && !isElementShowing(widget_, *owner, index_);
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override {
        if (AccessibilityContainer* owner = container(); owner != nullptr && actionName == pressAction()) {
            owner->accessibilityElementActivate(index_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    AccessibilityContainer* container() const { return containerOf(widget_.data()); }

    QPointer<QWidget> widget_;
    int index_;
};

// The container widget: its children are the container's elements, made on first request.
class AccessibleContainer : public QAccessibleWidget {
public:
    explicit AccessibleContainer(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Table) {}

    QAccessible::Role role() const override {
        const AccessibilityContainer* owner = containerOf(widget());
        return owner && owner->accessibilityElementsAreChoices() ? QAccessible::Grouping : QAccessible::Table;
    }

    // Reports each element that came into view or left it since the last report.
    void postShowingChanges() {
        const AccessibilityContainer* owner = containerOf(widget());
        if (owner == nullptr) return;
        const int count = owner->accessibilityElementCount();
        const bool first = showing_.empty();
        showing_.resize(static_cast<size_t>(count), false);
        for (int index = 0; index < count; ++index) {
            const bool showing = isElementShowing(widget(), *owner, index);
            if (!first && showing == static_cast<bool>(showing_[static_cast<size_t>(index)])) continue;
            showing_[static_cast<size_t>(index)] = showing;
            if (first) continue;
            QAccessibleEvent event(child(index), showing ? QAccessible::ObjectShow : QAccessible::ObjectHide);
            QAccessible::updateAccessibility(&event);
        }
    }

    ~AccessibleContainer() override {
        for (QAccessible::Id id : std::as_const(elements_)) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override {
        const AccessibilityContainer* owner = containerOf(widget());
        return owner ? owner->accessibilityElementCount() : 0;
    }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        auto found = elements_.constFind(index);
        if (found != elements_.constEnd()) return QAccessible::accessibleInterface(*found);
        auto* element = new AccessibleContainerElement(widget(), index);
        elements_.insert(index, QAccessible::registerAccessibleInterface(element));
        return element;
    }

    int indexOfChild(const QAccessibleInterface* element) const override {
        for (auto it = elements_.constBegin(); it != elements_.constEnd(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == element) return it.key();
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const AccessibilityContainer* owner = containerOf(widget());
        if (owner == nullptr) return nullptr;
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (int index = 0; index < owner->accessibilityElementCount(); ++index) {
            if (owner->accessibilityElementFrame(index).contains(local)) return child(index);
        }
        return nullptr;
    }

private:
    mutable QHash<int, QAccessible::Id> elements_;
    std::vector<char> showing_;
};

QAccessibleInterface* containerFactory(const QString&, QObject* object) {
    if (containerOf(object) == nullptr) return nullptr;
    return new AccessibleContainer(static_cast<QWidget*>(object));
}

}  // namespace

void AccessibilityContainer::setIsAccessibilityContainer(QWidget* widget) {
    static const bool installed = (QAccessible::installFactory(containerFactory), true);
    (void)installed;
    widget->setProperty(kIsContainer, true);
}

void AccessibilityContainer::postElementsMoved(QWidget* widget) {
    if (!QAccessible::isActive()) return;
    if (auto* container = dynamic_cast<AccessibleContainer*>(QAccessible::queryAccessibleInterface(widget))) {
        container->postShowingChanges();
    }
    QAccessibleEvent event(widget, QAccessible::LocationChanged);
    QAccessible::updateAccessibility(&event);
}

void AccessibilityContainer::postElementChanged(QWidget* widget, int index) {
    QAccessibleInterface* container = QAccessible::queryAccessibleInterface(widget);
    QAccessibleInterface* element = container ? container->child(index) : nullptr;
    if (element == nullptr) return;
    QAccessible::State changed;
    if (containerOf(widget)->accessibilityElementsAreChoices())
        changed.checked = true;
    else
        changed.selected = true;
    QAccessibleStateChangeEvent event(element, changed);
    QAccessible::updateAccessibility(&event);
}

void AccessibilityContainer::postElementFocused(QWidget* widget, int index) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* container = QAccessible::queryAccessibleInterface(widget);
    QAccessibleInterface* element = container ? container->child(index) : nullptr;
    if (element == nullptr) return;
    QAccessibleEvent event(element, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
