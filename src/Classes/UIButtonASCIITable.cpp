#include "Classes/UIButtonASCIITable.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <cmath>

#include "Calculator/ASCIITableLogic.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/UI/FocusRing.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/SystemFont.h"

namespace {

constexpr const char* kSource = "Classes/UIButtonASCIITable";
constexpr int32_t kColumns = 8;
constexpr int32_t kRows = 16;
constexpr int32_t kDelete = 127;
// The room, in points, that names and codes keep from the sides of their cell.
constexpr qreal kNameMargin = 3.5;
constexpr qreal kCodeMargin = 2.0;

// A bold font of the size, or smaller where the widest of the texts would not fit the room.
QFont fittedFont(const QStringList& texts, qreal size, qreal room, const QWidget& widget) {
    const QFontMetricsF metrics(SystemFont::boldSystemFontOfSize(size, widget), &widget);
    QString widest;
    for (const QString& text : texts) {
        if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest)) widest = text;
    }
    return SystemFont::boldSystemFontOfSize(fittingBoldFontSize(widest, size, size / 2, room, widget), widget);
}

// Draws the text centred on a point of the cell; the box is the text's own measured size.
void drawCentredText(QPainter& painter, const QString& text, const QFont& font, qreal centreX, qreal top,
                     qreal height) {
    const QFontMetricsF metrics(font, painter.device());
    const qreal width = metrics.horizontalAdvance(text);
    const qreal textHeight = metrics.height();
    painter.setFont(font);
    painter.drawText(QRectF(centreX - width * 0.5, top + (height - textHeight) * 0.5, width, textHeight),
                     Qt::AlignCenter | Qt::TextDontClip, text);
}

}  // namespace

// The characters and control names are drawn at 16 points, "DEL" at 14 and the codes at 9;
// control names and codes that would be wider than a cell (binary codes, in a wide font) are
// made smaller, all of them alike.
struct UIButtonASCIITable::CellFonts {
    CellFonts(const QWidget& widget, qreal cellWidth, int32_t numberBase) {
        QStringList names;
        for (int32_t code = 0; code < 32; ++code) {
            names << QString::fromStdString(ASCIITableLogic::characterTextFromASCIIValue(code));
        }
        QStringList codes;
        for (int32_t code = 0; code < ASCIITableLogic::ASCIITableLogicCodeCount; ++code) {
            codes << QString::fromStdString(ASCIITableLogic::valueTextFromASCIIValue(code, numberBase));
        }
        character = SystemFont::boldSystemFontOfSize(16, widget);
        controlName = fittedFont(names, 16, cellWidth - 2 * kNameMargin, widget);
        deleteName = fittedFont({QStringLiteral("DEL")}, 14, cellWidth - 2 * kNameMargin, widget);
        value = fittedFont(codes, 9, cellWidth - 2 * kCodeMargin, widget);
    }

    QFont character;
    QFont controlName;
    QFont deleteName;
    QFont value;
};

UIButtonASCIITable::UIButtonASCIITable(const QRectF& frame, QWidget* parent) : UIButton(parent) {
    // The look never depends on the pointer hovering.
    setAttribute(Qt::WA_Hover, false);
    setFrame(frame);
    AccessibilityContainer::setIsAccessibilityContainer(this);
    connect(this, &UIButton::touchCancel, this, &UIButtonASCIITable::restoreSelectionBeforeTouch);
    connect(this, &UIButton::touchUpOutside, this, &UIButtonASCIITable::restoreSelectionBeforeTouch);
}

UIButtonASCIITable::~UIButtonASCIITable() = default;

void UIButtonASCIITable::setFrame(const QRectF& frame) {
    frame_ = frame;
    fonts_.reset();
    setGeometry(PointGeometry::pixelRectFromPoints(frame));
    update();
}

void UIButtonASCIITable::setSelectedASCIIValue(int32_t selectedASCIIValue) {
    if (selectedASCIIValue == selectedASCIIValue_) return;
    if (selectedASCIIValue != UIButtonASCIITableNoSelection && !ASCIITableLogic::isASCIIValue(selectedASCIIValue)) {
        fatalAssert(kSource, "unknown ascii value");
    }
    const int32_t previous = selectedASCIIValue_;
    selectedASCIIValue_ = selectedASCIIValue;
    for (int32_t changed : {previous, selectedASCIIValue}) {
        if (changed == UIButtonASCIITableNoSelection) continue;
        update(pixelRectForASCIIValue(changed));
        AccessibilityContainer::postElementChanged(this, changed);
    }
}

void UIButtonASCIITable::setNumberBase(int32_t numberBase) {
    numberBase_ = numberBase;
    fonts_.reset();
    update();
}

QSizeF UIButtonASCIITable::cellSize() const {
    // Whole points, worked out in single precision.
    return QSizeF(std::trunc(static_cast<float>(frame_.width()) / static_cast<float>(kColumns)),
                  std::trunc(static_cast<float>(frame_.height()) / static_cast<float>(kRows)));
}

QRectF UIButtonASCIITable::rectForASCIIValue(int32_t asciiValue) const {
    if (!ASCIITableLogic::isASCIIValue(asciiValue)) fatalAssert(kSource, "unknown ascii value");
    const QSizeF cell = cellSize();
    return QRectF(cell.width() * (asciiValue % kColumns), cell.height() * (asciiValue / kColumns), cell.width(),
                  cell.height());
}

std::optional<int32_t> UIButtonASCIITable::asciiValueAtPoint(QPointF point) const {
    const QSizeF cell = cellSize();
    if (cell.width() < 1 || cell.height() < 1 || point.x() < 0 || point.y() < 0) return std::nullopt;
    const int column = static_cast<int>(point.x()) / static_cast<int>(cell.width());
    const int row = static_cast<int>(point.y()) / static_cast<int>(cell.height());
    // Past the last whole cell (a frame that is not a multiple of the grid) there is no code.
    if (column >= kColumns || row >= kRows) return std::nullopt;
    return row * kColumns + column;
}

QRect UIButtonASCIITable::pixelRectForASCIIValue(int32_t asciiValue) const {
    const QRectF cell = rectForASCIIValue(asciiValue);
    const qreal scale = PointScale::factor();
    return QRectF(cell.x() * scale, cell.y() * scale, cell.width() * scale, cell.height() * scale).toAlignedRect();
}

void UIButtonASCIITable::recalculateAccessibility() { AccessibilityContainer::postElementsMoved(this); }

int UIButtonASCIITable::accessibilityElementCount() const { return ASCIITableLogic::ASCIITableLogicCodeCount; }

QString UIButtonASCIITable::accessibilityElementLabel(int index) const {
    return QString::fromStdString(ASCIITableLogic::characterTextFromASCIIValue(index));
}

AccessibilityTraits UIButtonASCIITable::accessibilityElementTraits(int index) const {
    return index == selectedASCIIValue_ ? AccessibilityTraitSelected : AccessibilityTraitNone;
}

QRect UIButtonASCIITable::accessibilityElementFrame(int index) const { return pixelRectForASCIIValue(index); }

void UIButtonASCIITable::accessibilityElementActivate(int index) {
    setSelectedASCIIValue(index);
    click();
}

// The character (or control name) in the upper two thirds, the code in the lower third.
void UIButtonASCIITable::drawCell(QPainter& painter, int32_t asciiValue, const Image& background) const {
    const QRectF cell = rectForASCIIValue(asciiValue);
    background.draw(painter, cell);
    const qreal upper = (2.0 * cell.height()) / 3.0;
    const QFont& characterFont = asciiValue == kDelete ? fonts_->deleteName
                                 : asciiValue < 32     ? fonts_->controlName
                                                       : fonts_->character;
    painter.setPen(Qt::black);
    drawCentredText(painter, QString::fromStdString(ASCIITableLogic::characterTextFromASCIIValue(asciiValue)),
                    characterFont, cell.center().x(), cell.y(), upper);
    painter.setPen(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.5f));
    drawCentredText(painter, QString::fromStdString(ASCIITableLogic::valueTextFromASCIIValue(asciiValue, numberBase_)),
                    fonts_->value, cell.center().x(), cell.y() + upper, cell.height() / 3.0);
}

void UIButtonASCIITable::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal scale = PointScale::factor();
    painter.scale(scale, scale);
    const QSizeF cell = cellSize();
    const Image background = ImageStore::imageNamed("asciiTableCell.png", cell);
    const Image selectedBackground = ImageStore::imageNamed("asciiTableCellDepressed.png", cell);
    if (!fonts_) fonts_ = std::make_unique<CellFonts>(*this, cell.width(), numberBase_);
    const QRegion& dirty = event->region();
    for (int32_t asciiValue = 0; asciiValue < ASCIITableLogic::ASCIITableLogicCodeCount; ++asciiValue) {
        if (!dirty.intersects(pixelRectForASCIIValue(asciiValue))) continue;
        drawCell(painter, asciiValue, asciiValue == selectedASCIIValue_ ? selectedBackground : background);
    }
    if (FocusRing::isShownOn(*this) && selectedASCIIValue_ != UIButtonASCIITableNoSelection) {
        FocusRing::paint(painter, rectForASCIIValue(selectedASCIIValue_), 4);
    }
}

void UIButtonASCIITable::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Left: step = -1; break;
        case Qt::Key_Right: step = 1; break;
        case Qt::Key_Up: step = -kColumns; break;
        case Qt::Key_Down: step = kColumns; break;
        default: UIButton::keyPressEvent(event); return;
    }
    // Without a selection the keyboard starts on the capital letters.
    const int32_t from = selectedASCIIValue_ == UIButtonASCIITableNoSelection ? 'A' - step : selectedASCIIValue_;
    const int32_t to = from + step;
    if (to < 0 || to >= ASCIITableLogic::ASCIITableLogicCodeCount) return;
    setSelectedASCIIValue(to);
    // The scroll view around the table brings the cell into view.
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w); area != nullptr && area->widget() != nullptr) {
            const QRect cell = pixelRectForASCIIValue(to);
            const QPoint centre = mapTo(area->widget(), cell.center());
            area->ensureVisible(centre.x(), centre.y(), cell.width() / 2, cell.height() / 2);
            break;
        }
    }
    AccessibilityContainer::postElementFocused(this, to);
}

void UIButtonASCIITable::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const std::optional<int32_t> asciiValue = asciiValueAtPoint(event->position() / PointScale::factor());
        if (!asciiValue) {
            event->ignore();
            return;
        }
        // Selected before the button's own handling, so that its actions see the new cell.
        selectionBeforeTouch_ = selectedASCIIValue_;
        setSelectedASCIIValue(*asciiValue);
    }
    UIButton::mousePressEvent(event);
}

void UIButtonASCIITable::restoreSelectionBeforeTouch() { setSelectedASCIIValue(selectionBeforeTouch_); }
