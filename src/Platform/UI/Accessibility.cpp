#include "Platform/UI/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

constexpr const char* kIsElement = "quilletAccessibilityElement";
constexpr const char* kTraits = "quilletAccessibilityTraits";
constexpr const char* kValue = "quilletAccessibilityValue";

Accessibility::Observer& observer() {
    static Accessibility::Observer current;
    return current;
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QAccessible::Role roleFromTraits(AccessibilityTraits traits) {
    if (traits & AccessibilityTraitButton) return QAccessible::Button;
    if (traits & AccessibilityTraitAdjustable) return QAccessible::Slider;
    if (traits & AccessibilityTraitImage) return QAccessible::Graphic;
    if (traits & AccessibilityTraitStaticText) return QAccessible::StaticText;
    return QAccessible::Client;
}

// One element: name, description and value come from the widget, and its children are not
// offered separately.
class AccessibleElement : public QAccessibleWidget {
public:
    explicit AccessibleElement(QWidget* widget)
        : QAccessibleWidget(widget, roleFromTraits(Accessibility::traits(widget))) {
        if (qobject_cast<QAbstractButton*>(widget) != nullptr) addControllingSignal("clicked()");
    }

    QAccessible::Role role() const override { return roleFromTraits(Accessibility::traits(widget())); }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name: return widget()->accessibleName();
            case QAccessible::Description: return widget()->accessibleDescription();
            case QAccessible::Value: return Accessibility::value(widget());
            default: return QAccessibleWidget::text(t);
        }
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (qobject_cast<QAbstractButton*>(widget()) != nullptr) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& actionName) override {
        auto* button = qobject_cast<QAbstractButton*>(widget());
        if (button != nullptr && actionName == pressAction()) {
            button->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (Accessibility::traits(widget()) & AccessibilityTraitButton) s.focusable = true;
        return s;
    }
};

QAccessibleInterface* elementFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kIsElement).toBool()) return nullptr;
    return new AccessibleElement(widget);
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
    if (widget->property(kValue).toString() == text) return;
    widget->setProperty(kValue, text);
    if (QAccessible::isActive()) {
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
            QAccessibleEvent event(widget, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&event);
            break;
        }
        case AccessibilityNotification::ValueChanged: {
            QAccessibleValueChangeEvent event(widget, Accessibility::value(widget));
            QAccessible::updateAccessibility(&event);
            break;
        }
    }
}

Accessibility::Observer Accessibility::setObserver(Observer replacement) {
    Observer previous = std::move(observer());
    observer() = std::move(replacement);
    return previous;
}
