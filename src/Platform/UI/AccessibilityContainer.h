#pragma once

#include <QRect>
#include <QString>

#include "Platform/UI/Accessibility.h"

class QWidget;

// A widget that draws several things a screen reader should offer one by one (the cells of a
// grid, the segments of a switch) answers for them here. The widget itself is then a container,
// not an element; each element has a label, traits, a frame and a press. An element whose frame
// lies outside what is seen of the widget is not showing.
class AccessibilityContainer {
public:
    virtual ~AccessibilityContainer() = default;

    virtual int accessibilityElementCount() const = 0;
    virtual QString accessibilityElementLabel(int index) const = 0;
    virtual AccessibilityTraits accessibilityElementTraits(int index) const = 0;
    // In the widget's own pixels; the screen rectangle is worked out when it is asked for, so it
    // follows the widget wherever it is scrolled.
    virtual QRect accessibilityElementFrame(int index) const = 0;
    // A screen reader pressed the element.
    virtual void accessibilityElementActivate(int index) = 0;
    // True when the elements are the choices of one setting: the selected one is checked.
    virtual bool accessibilityElementsAreChoices() const { return false; }

    // Offers the widget, which must be this container too, to screen readers as a container.
    static void setIsAccessibilityContainer(QWidget* widget);
    // The elements moved, after scrolling: those that came into view or left it are reported
    // shown or hidden.
    static void postElementsMoved(QWidget* widget);
    // The traits of one element changed.
    static void postElementChanged(QWidget* widget, int index);
    // The keyboard moved to one element: a screen reader reads it out.
    static void postElementFocused(QWidget* widget, int index);
};
