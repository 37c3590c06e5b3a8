#include "Classes/KeypadLayout.h"

#include <QRectF>

#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/UIButton.h"

namespace {

struct FaceNames {
    const char* normal;
    const char* pressed;
};

// Indexed by KeyFace.
constexpr FaceNames kFaceNames[] = {
    {"keyDigit.png", "keyDigitPressed.png"},       {"keyFunction.png", "keyFunctionPressed.png"},
    {"keyOperator.png", "keyOperatorPressed.png"}, {"keyClear.png", "keyClearPressed.png"},
    {"keyEquals.png", "keyEqualsPressed.png"},
};

}  // namespace

void KeypadLayout::setFace(UIButton* key, KeyFace face) {
    const FaceNames& names = kFaceNames[static_cast<size_t>(face)];
    key->setBackgroundImageNamed(names.normal);
    key->setBackgroundImageNamed(names.pressed, UIControlState::Highlighted);
}

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
        entry.key->setGeometry(PointGeometry::pixelRectFromPoints(points));
        entry.key->setTitleFontSize(cell.rowSpan > 1 ? 30 : 20);
    }
}
