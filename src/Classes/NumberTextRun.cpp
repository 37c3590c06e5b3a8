#include "Classes/NumberTextRun.h"

#include <QColor>
#include <QPainter>

#include "Platform/UI/SystemFont.h"

void drawNumberTextRuns(QPainter& painter, const NumberTextRuns& runs, const QColor& colour,
                        const QPaintDevice& device) {
    painter.setPen(colour);
    for (const NumberTextRun& run : runs) {
        const QFont font = SystemFont::boldSystemFontOfSize(run.fontSize, device);
        painter.setFont(font);
        painter.drawText(run.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, run.text);
    }
}
