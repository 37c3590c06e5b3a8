#pragma once

#include <QRectF>
#include <QString>
#include <vector>

// One piece of text a number view draws: where and at which bold size; truncateMiddle marks
// digits already shortened in the middle to fit.
struct NumberTextRun {
    QString text;
    QRectF rect;
    qreal fontSize = 0;
    bool truncateMiddle = false;
};

using NumberTextRuns = std::vector<NumberTextRun>;

class QPainter;
class QColor;
class QPaintDevice;

void drawNumberTextRuns(QPainter& painter, const NumberTextRuns& runs, const QColor& colour,
                        const QPaintDevice& device);
