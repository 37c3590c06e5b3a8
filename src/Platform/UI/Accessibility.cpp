#include "Platform/UI/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include "Platform/UI/AccessibilityContainer.h"
#include "Platform/UI/ModalOverlay.h"
#include "Platform/UI/PagedScrollView.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UIWindow.h"

namespace {

constexpr const char* kIsElement = "quilletAccessibilityElement";
constexpr const char* kTraits = "quilletAccessibilityTraits";
constexpr const char* kValue = "quilletAccessibilityValue";
constexpr const char* kIsContainer = "quilletAccessibilityContainer";

Accessibility::Observer& observer() {
    static Accessibility::Observer current;
    return current;
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QAccessible::Role roleFromTraits(AccessibilityTraits traits, bool isButton) {
    if (traits & AccessibilityTraitButton) return QAccessible::Button;
    if (traits & AccessibilityTraitAdjustable) return QAccessible::Slider;
    if (traits & AccessibilityTraitImage) return QAccessible::Graphic;
    if (traits & AccessibilityTraitStaticText) return QAccessible::StaticText;
    return isButton ? QAccessible::Button : QAccessible::Client;
}

bool isStaticText(const QWidget* widget) { return (Accessibility::traits(widget) & AccessibilityTraitStaticText) != 0; }

// What a static text reads out: its value (the LCD's number) or, without one, its label.
QString spokenText(const QWidget* widget) {
    const QString value = Accessibility::value(widget);
    return value.isEmpty() ? widget->accessibleName() : value;
}

// One element: name, description and value come from the widget, and its children are not
// offered separately. A static text also offers its spoken text through the text interface,
// which is what reaches a screen reader over the Linux accessibility bus (a value text alone
// does not), and announces each change of it as a text update. A key of the keypad offers its
// press and, where it has one, its hold as a second action.
class AccessibleElement : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleElement(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Client) {}

    QAccessible::Role role() const override { return roleFromTraits(Accessibility::traits(widget()), button()); }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                if (!widget()->accessibleName().isEmpty() || !button()) return widget()->accessibleName();
                return button()->text();
            case QAccessible::Description: return widget()->accessibleDescription();
            case QAccessible::Value: return Accessibility::value(widget());
            default: return QAccessibleWidget::text(t);
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && isStaticText(widget()))
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (Accessibility::traits(widget()) & AccessibilityTraitButton) s.focusable = true;
        if (const UIButton* key = button()) s.pressed = key->isDown();
        if (isStaticText(widget())) s.readOnly = true;
        return s;
    }

    QStringList actionNames() const override {
        if (!button()) return QAccessibleWidget::actionNames();
        QStringList names{pressAction()};
        if (button()->hasHoldAction()) names << button()->holdActionName();
        for (const QString& name : QAccessibleWidget::actionNames()) {
            if (!names.contains(name)) names << name;
        }
        return names;
    }

    QString localizedActionName(const QString& actionName) const override {
        if (button() && button()->hasHoldAction() && actionName == button()->holdActionName()) return actionName;
        return QAccessibleWidget::localizedActionName(actionName);
    }

    QString localizedActionDescription(const QString& actionName) const override {
        return localizedActionName(actionName);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (!button()) return QAccessibleWidget::keyBindingsForAction(actionName);
        if (actionName == pressAction()) return {QStringLiteral("Space")};
        if (button()->hasHoldAction() && actionName == button()->holdActionName()) {
            return {QStringLiteral("Shift+F10")};
        }
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

    void doAction(const QString& actionName) override {
        if (UIButton* key = button()) {
            if (actionName == pressAction()) {
                if (key->isEnabled()) key->click();
                return;
            }
            if (key->hasHoldAction() && actionName == key->holdActionName()) {
                key->performHoldAction();
                return;
            }
        }
        QAccessibleWidget::doAction(actionName);
    }

    // The text interface: read only, no caret, no selection.
    QString text(int startOffset, int endOffset) const override {
        return spokenText(widget()).mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(spokenText(widget()).size()); }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    UIButton* button() const { return qobject_cast<UIButton*>(widget()); }
};

// The application's window is a frame under its title.
class AccessibleWindow : public QAccessibleWidget {
public:
    explicit AccessibleWindow(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return widget()->accessibleName().isEmpty() ? widget()->windowTitle() : widget()->accessibleName();
        }
        return QAccessibleWidget::text(t);
    }
};

// A sheet or an alert is a dialog: a reader says its title and message as the focus enters it.
class AccessibleDialog : public QAccessibleWidget {
public:
    explicit AccessibleDialog(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Dialog) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.modal = true;
        return s;
    }
};

// A paged strip turns a page to either side for a screen reader, which cannot swipe.
class AccessibleStrip : public QAccessibleWidget {
public:
    explicit AccessibleStrip(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Pane) {}

    QStringList actionNames() const override {
        return QStringList{scrollLeftAction(), scrollRightAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        auto* strip = static_cast<PagedScrollView*>(widget());
        const int step = actionName == scrollLeftAction() ? -1 : actionName == scrollRightAction() ? 1 : 0;
        if (step == 0) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        const int page = strip->targetPage() + step;
        if (page >= 0 && page < strip->pageCount()) strip->scrollToPage(page, true);
    }
};

QAccessibleInterface* elementFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || widget->property(kIsContainer).toBool()) return nullptr;
    if (qobject_cast<UIWindow*>(widget) != nullptr) return new AccessibleWindow(widget);
    if (qobject_cast<PagedScrollView*>(widget) != nullptr) return new AccessibleStrip(widget);
    if (qobject_cast<ModalOverlay*>(widget) != nullptr) return new AccessibleDialog(widget);
    if (widget->property(kIsElement).toBool() || qobject_cast<UIButton*>(widget) != nullptr) {
        return new AccessibleElement(widget);
    }
    return nullptr;
}

}  // namespace

void Accessibility::install() {
    static const bool installed = (QAccessible::installFactory(elementFactory), true);
    (void)installed;
}

void Accessibility::setIsAccessibilityElement(QWidget* widget, bool isElement) {
    install();
    widget->setProperty(kIsElement, isElement);
}

void Accessibility::setTraits(QWidget* widget, AccessibilityTraits traits) { widget->setProperty(kTraits, traits); }

void Accessibility::setLabel(QWidget* widget, std::string_view label) { widget->setAccessibleName(fromUtf8(label)); }

void Accessibility::setHint(QWidget* widget, std::string_view hint) {
    widget->setAccessibleDescription(fromUtf8(hint));
}

void Accessibility::setValue(QWidget* widget, std::string_view value) {
    const QString text = fromUtf8(value);
    const QString previous = widget->property(kValue).toString();
    if (previous == text) return;
    const QString previousSpoken = spokenText(widget);
    widget->setProperty(kValue, text);
    if (!QAccessible::isActive()) return;
    if (isStaticText(widget)) {
        // The event carries the new text, so that it is heard without moving to the element.
        QAccessibleTextUpdateEvent event(widget, 0, previousSpoken, spokenText(widget));
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleValueChangeEvent event(widget, text);
        QAccessible::updateAccessibility(&event);
    }
}

AccessibilityTraits Accessibility::traits(const QWidget* widget) { return widget->property(kTraits).toUInt(); }

QString Accessibility::label(const QWidget* widget) { return widget->accessibleName(); }

QString Accessibility::value(const QWidget* widget) { return widget->property(kValue).toString(); }

QString Accessibility::hint(const QWidget* widget) { return widget->accessibleDescription(); }

void Accessibility::postNotification(AccessibilityNotification notification, QWidget* widget) {
    if (observer()) observer()(notification, widget);
    if (!QAccessible::isActive() || widget == nullptr) return;
    switch (notification) {
        case AccessibilityNotification::ScreenChanged: {
            QAccessibleEvent event(widget, QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
            break;
        }
        case AccessibilityNotification::LayoutChanged: {
            // What moved into or out of view is reported shown or hidden .
            if (widget->property(kIsContainer).toBool()) AccessibilityContainer::postElementsMoved(widget);
            for (QWidget* inner : widget->findChildren<QWidget*>()) {
                if (inner->property(kIsContainer).toBool()) AccessibilityContainer::postElementsMoved(inner);
            }
            QAccessibleEvent event(widget, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&event);
            break;
        }
        case AccessibilityNotification::ValueChanged: {
            if (isStaticText(widget)) {
                QAccessibleTextUpdateEvent event(widget, 0, QString(), spokenText(widget));
                QAccessible::updateAccessibility(&event);
            } else {
                QAccessibleValueChangeEvent event(widget, Accessibility::value(widget));
                QAccessible::updateAccessibility(&event);
            }
            break;
        }
    }
}

Accessibility::Observer Accessibility::setObserver(Observer replacement) {
    Observer previous = std::move(observer());
    observer() = std::move(replacement);
    return previous;
}
