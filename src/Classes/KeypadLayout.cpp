#include "Classes/KeypadLayout.h"

#include <QRectF>

#include "Platform/PointScale.h"
#include "Platform/UIButton.h"

void KeypadLayout::add(UIButton* key, KeypadCell cell) { entries_.push_back({key, cell}); }

void KeypadLayout::layout(QSize pageSize) const {
    const double width = PointScale::pointsFromPixels(pageSize.width());
    const double height = PointScale::pointsFromPixels(pageSize.height());
    const double cellWidth = (width - 2 * KeypadLayoutMargin + KeypadLayoutGap) / KeypadLayoutColumns;
    const double cellHeight = (height - 2 * KeypadLayoutMargin + KeypadLayoutGap) / KeypadLayoutRows;
    for (const Entry& entry : entries_) {
        const KeypadCell& cell = entry.cell;
        const QRectF points(KeypadLayoutMargin + cell.column * cellWidth, KeypadLayoutMargin + cell.row * cellHeight,
                            cell.columnSpan * cellWidth - KeypadLayoutGap, cell.rowSpan * cellHeight - KeypadLayoutGap);
        const double factor = PointScale::factor();
        const QRectF pixels(points.x() * factor, points.y() * factor, points.width() * factor,
                            points.height() * factor);
        entry.key->setGeometry(pixels.toRect());
        entry.key->setTitleFontSize(cell.rowSpan > 1 ? 30 : 20);
    }
}

std::vector<UIButton*> KeypadLayout::keys() const {
    std::vector<UIButton*> keys;
    keys.reserve(entries_.size());
    for (const Entry& entry : entries_) keys.push_back(entry.key);
    return keys;
}
