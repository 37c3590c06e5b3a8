#pragma once

#include <QString>
#include <functional>
#include <string_view>

class QWidget;

using AccessibilityTraits = unsigned;
constexpr AccessibilityTraits AccessibilityTraitNone = 0;
constexpr AccessibilityTraits AccessibilityTraitButton = 1;
constexpr AccessibilityTraits AccessibilityTraitStaticText = 2;
constexpr AccessibilityTraits AccessibilityTraitImage = 4;
constexpr AccessibilityTraits AccessibilityTraitAdjustable = 8;
constexpr AccessibilityTraits AccessibilityTraitSelected = 16;

enum class AccessibilityNotification { ScreenChanged, LayoutChanged, ValueChanged };

// Labels, values, hints and traits of a widget that a screen reader reads through Qt's
// accessibility interfaces: the label is the accessible name, the hint the description, the
// value the accessible value text, the traits choose the role.
class Accessibility {
public:
    // Makes the widget one element: its children are hidden from the screen reader.
    static void setIsAccessibilityElement(QWidget* widget, bool isElement);
    static void setTraits(QWidget* widget, AccessibilityTraits traits);
    static void setLabel(QWidget* widget, std::string_view label);
    static void setValue(QWidget* widget, std::string_view value);
    static void setHint(QWidget* widget, std::string_view hint);

    static AccessibilityTraits traits(const QWidget* widget);
    static QString label(const QWidget* widget);
    static QString value(const QWidget* widget);
    static QString hint(const QWidget* widget);

    // Announcements; the widget is the element the screen reader should move to, if any.
    static void postNotification(AccessibilityNotification notification, QWidget* widget = nullptr);

    // Tests watch announcements here; returns the previous observer.
    using Observer = std::function<void(AccessibilityNotification, QWidget*)>;
    static Observer setObserver(Observer observer);

    // Installs the accessibility factory that serves the widgets above; safe to call again.
    static void install();
};
