#pragma once

#include <QRectF>

class QPainter;
class QWidget;

// The ring that shows which control the keyboard is on: a brass line around the control, in the
// calculator's own colours, drawn in points by the control itself over its face.
class FocusRing {
public:
    // True while the control has the keyboard focus.
    static bool isShownOn(const QWidget& widget);
    // Inside the bounds (points), with corners of the radius.
    static void paint(QPainter& painter, const QRectF& bounds, qreal radius);
};
