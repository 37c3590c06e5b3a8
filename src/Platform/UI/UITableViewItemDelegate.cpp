#include "Platform/UI/UITableViewItemDelegate.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "Platform/UI/FocusRing.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"
#include "Platform/UI/UITableView.h"
#include "Platform/UI/UITableViewModel.h"

namespace {

using Kind = UITableViewModel::EntryKind;

constexpr qreal kGroupInset = 10.0;
constexpr qreal kGroupRadius = 9.0;
constexpr qreal kPadding = 10.0;
constexpr qreal kAccessoryWidth = 20.0;
constexpr qreal kTextSize = 17.0;
// A long text shrinks to this size before it is cut short.
constexpr qreal kSmallestTextSize = 14.0;
constexpr qreal kGroupedHeaderTitle = 36.0;
constexpr qreal kGroupedGap = 10.0;
constexpr qreal kPlainTitle = 23.0;
constexpr qreal kFooterSize = 15.0;

const QColor kInk(0x2b, 0x26, 0x20);
const QColor kDetailInk(0x8a, 0x66, 0x30);
const QColor kHeaderInk(0x4d, 0x3f, 0x2c);
const QColor kFooterInk(0x6b, 0x5d, 0x49);
const QColor kCellGround(0xfd, 0xfb, 0xf6);
const QColor kHairline(0xbf, 0xb2, 0x98);
const QColor kSeparator(0xd9, 0xcf, 0xbc);
const QColor kHighlightTop(0xc9, 0x9f, 0x5f);
const QColor kHighlightBottom(0x8f, 0x6a, 0x33);

QPainterPath groupShape(const QRectF& rect, bool first, bool last) {
    const qreal top = first ? kGroupRadius : 0;
    const qreal bottom = last ? kGroupRadius : 0;
    QPainterPath path;
    path.moveTo(rect.left(), rect.top() + top);
    if (first) path.arcTo(QRectF(rect.left(), rect.top(), 2 * top, 2 * top), 180, -90);
    path.lineTo(rect.right() - top, rect.top());
    if (first) path.arcTo(QRectF(rect.right() - 2 * top, rect.top(), 2 * top, 2 * top), 90, -90);
    path.lineTo(rect.right(), rect.bottom() - bottom);
    if (last) path.arcTo(QRectF(rect.right() - 2 * bottom, rect.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 0, -90);
    path.lineTo(rect.left() + bottom, rect.bottom());
    if (last) path.arcTo(QRectF(rect.left(), rect.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 270, -90);
    path.closeSubpath();
    return path;
}

// The group's rim along one row: its sides, and its top or bottom only where the group ends, so
// that two rows never draw the line between them twice.
QPainterPath groupRim(const QRectF& rect, bool first, bool last) {
    const qreal radius = kGroupRadius;
    QPainterPath rim;
    rim.moveTo(rect.left(), rect.bottom() - (last ? radius : 0));
    rim.lineTo(rect.left(), rect.top() + (first ? radius : 0));
    if (first) {
        rim.arcTo(QRectF(rect.left(), rect.top(), 2 * radius, 2 * radius), 180, -90);
        rim.lineTo(rect.right() - radius, rect.top());
        rim.arcTo(QRectF(rect.right() - 2 * radius, rect.top(), 2 * radius, 2 * radius), 90, -90);
    } else {
        rim.moveTo(rect.right(), rect.top());
    }
    rim.lineTo(rect.right(), rect.bottom() - (last ? radius : 0));
    if (last) {
        rim.arcTo(QRectF(rect.right() - 2 * radius, rect.bottom() - 2 * radius, 2 * radius, 2 * radius), 0, -90);
        rim.lineTo(rect.left() + radius, rect.bottom());
        rim.arcTo(QRectF(rect.left(), rect.bottom() - 2 * radius, 2 * radius, 2 * radius), 270, -90);
    }
    return rim;
}

void drawShadowedText(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QColor& ink,
                      const QColor& shadow) {
    painter.setPen(shadow);
    painter.drawText(rect.translated(0, 1), flags, text);
    painter.setPen(ink);
    painter.drawText(rect, flags, text);
}

}  // namespace

UITableViewItemDelegate::UITableViewItemDelegate(UITableView& table) : QStyledItemDelegate(&table), table_(table) {}

UITableViewModel& UITableViewItemDelegate::model() const { return *table_.tableModel(); }

qreal UITableViewItemDelegate::heightOfRow(int row) const {
    const UITableViewModel::Entry& shown = model().entry(row);
    const bool grouped = table_.tableViewStyle() == UITableViewStyle::Grouped;
    switch (shown.kind) {
        case Kind::Row: return table_.rowHeight();
        case Kind::Header: {
            if (const qreal asked = model().headerHeight(row); asked >= 0) return asked;
            if (model().headerView(row)) return kPlainTitle;
            const bool titled = !model().title(row).isEmpty();
            if (grouped) return titled ? kGroupedHeaderTitle : kGroupedGap;
            return titled ? kPlainTitle : 0;
        }
        case Kind::Footer: {
            const QString text = model().title(row);
            if (!grouped) return text.isEmpty() ? 0 : kPlainTitle;
            if (text.isEmpty()) return kGroupedGap;
            const qreal width = PointScale::pointsFromPixels(table_.viewport()->width()) - 4 * kGroupInset;
            const QFontMetricsF metrics(SystemFont::systemFontOfSize(kFooterSize, *table_.viewport()),
                                        table_.viewport());
            const QRectF room = metrics.boundingRect(QRectF(0, 0, std::max(1.0, width), 1000),
                                                     Qt::AlignHCenter | Qt::TextWordWrap, text);
            return std::ceil(room.height()) + 6 + 2 * kGroupedGap;
        }
    }
    return 0;
}

QSize UITableViewItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    const qreal height = heightOfRow(index.row()) * model().entry(index.row()).appearance;
    return QSize(table_.viewport()->width(), static_cast<int>(std::lround(PointScale::pixelsFromPoints(height))));
}

void UITableViewItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const int row = index.row();
    const UITableViewModel::Entry& shown = model().entry(row);
    if (option.rect.height() <= 0) return;
    const qreal factor = PointScale::factor();
    painter->save();
    painter->setClipRect(option.rect);
    painter->translate(option.rect.topLeft());
    painter->scale(factor, factor);
    painter->setOpacity(shown.appearance);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    const QRectF bounds(0, 0, option.rect.width() / factor, option.rect.height() / factor);
    if (shown.kind == Kind::Row) {
        const bool highlighted = (option.state & QStyle::State_Selected) ||
                                 table_.indexPathForHighlightedRow() == model().indexPathForRow(row);
        paintCell(*painter, bounds, row, highlighted && !shown.isDying ? 1.0 : shown.fadingHighlight);
        if ((option.state & QStyle::State_HasFocus) && table_.hasFocus()) {
            // The row the keyboard is on, as a screen reader hears it.
            const bool grouped = table_.tableViewStyle() == UITableViewStyle::Grouped;
            const QRectF rowRect(bounds.left(), bounds.top(), bounds.width(), table_.rowHeight());
            FocusRing::paint(*painter, grouped ? rowRect.adjusted(kGroupInset, 0, -kGroupInset, 0) : rowRect,
                             grouped ? kGroupRadius : 2.0);
        }
    } else if (QWidget* view = model().headerView(row)) {
        renderWidget(*painter, view, bounds);
    } else {
        paintTitle(*painter, bounds, row);
    }
    painter->restore();
}

void UITableViewItemDelegate::paintCell(QPainter& painter, const QRectF& bounds, int row, qreal highlight) const {
    const UITableViewCell& cell = model().cell(row);
    const bool grouped = table_.tableViewStyle() == UITableViewStyle::Grouped;
    const bool first = model().isFirstInGroup(row);
    const bool last = model().isLastInGroup(row);
    // A shrinking row keeps its full height and is cut off, as if it slid under its neighbour.
    const QRectF full(bounds.left(), bounds.top(), bounds.width(), table_.rowHeight());
    const QRectF shape = grouped ? full.adjusted(kGroupInset, 0, -kGroupInset, 0) : full;
    const QPainterPath outline =
        grouped ? groupShape(shape.adjusted(0.5, 0.5, -0.5, -0.5), first, last) : QPainterPath();
    const auto fill = [&](const QBrush& brush) {
        if (grouped)
            painter.fillPath(outline, brush);
        else
            painter.fillRect(shape, brush);
    };
    if (!cell.backgroundImageName.empty()) {
        const Image pattern = ImageStore::imageNamed(cell.backgroundImageName);
        painter.save();
        // The tile is drawn in points, as the rest of the row.
        QBrush tile(pattern.pixmap());
        tile.setTransform(QTransform::fromScale(1 / pattern.scale() * pattern.pixmap().devicePixelRatio(),
                                                1 / pattern.scale() * pattern.pixmap().devicePixelRatio()));
        fill(tile);
        painter.restore();
    } else {
        fill(kCellGround);
    }
    const bool highlights = highlight > 0 && cell.selectionStyle != UITableViewCellSelectionStyle::None;
    if (highlights) {
        QLinearGradient lit(shape.topLeft(), shape.bottomLeft());
        lit.setColorAt(0, kHighlightTop);
        lit.setColorAt(1, kHighlightBottom);
        painter.save();
        painter.setOpacity(painter.opacity() * highlight);
        fill(lit);
        painter.restore();
    }
    painter.setPen(QPen(kHairline, 0));
    painter.setBrush(Qt::NoBrush);
    if (grouped) painter.drawPath(groupRim(shape.adjusted(0.5, 0.5, -0.5, -0.5), first, last));
    if (!grouped || !last) {
        painter.setPen(QPen(kSeparator, 0));
        painter.drawLine(QPointF(shape.left(), shape.bottom() - 0.5), QPointF(shape.right(), shape.bottom() - 0.5));
    }
    paintCellContent(painter, shape, row, highlights && highlight > 0.5);
}

void UITableViewItemDelegate::paintCellContent(QPainter& painter, const QRectF& content, int row,
                                               bool highlighted) const {
    const UITableViewCell& cell = model().cell(row);
    const QPaintDevice& device = *table_.viewport();
    QRectF room = content.adjusted(kPadding, 0, -kPadding, 0);
    if (cell.accessoryType != UITableViewCellAccessoryType::None) {
        const bool disclosure = cell.accessoryType == UITableViewCellAccessoryType::DisclosureIndicator;
        std::string name = disclosure ? "tableDisclosureIndicator" : "tableCheckmark";
        if (highlighted) name += "Highlighted";
        const Image accessory = ImageStore::imageNamed(name + ".png");
        const QSizeF size = accessory.size();
        accessory.draw(painter, QPointF(room.right() - (kAccessoryWidth + size.width()) / 2,
                                        room.center().y() - size.height() / 2));
        room.setRight(room.right() - kAccessoryWidth - 4);
    }
    if (!cell.image.isNull()) {
        QSizeF size = cell.image.size();
        const qreal tallest = content.height() - 4;
        if (size.height() > tallest) size *= tallest / size.height();
        cell.image.draw(painter, QRectF(QPointF(room.left() - 2, room.center().y() - size.height() / 2), size));
        room.setLeft(room.left() - 2 + size.width() + 8);
    }
    const QColor ink = highlighted ? QColor(Qt::white) : kInk;
    if (!cell.text.isEmpty() || !cell.detailText.isEmpty()) {
        painter.setFont(SystemFont::boldSystemFontOfSize(kTextSize, device));
        QRectF textRoom = room;
        if (cell.style == UITableViewCellStyle::Value1 && !cell.detailText.isEmpty()) {
            painter.save();
            painter.setFont(SystemFont::systemFontOfSize(kTextSize, device));
            painter.setPen(highlighted ? QColor(Qt::white) : kDetailInk);
            const qreal detailWidth =
                std::min(room.width() / 2, painter.fontMetrics().horizontalAdvance(cell.detailText) + 1.0);
            const QString detail =
                painter.fontMetrics().elidedText(cell.detailText, Qt::ElideRight, static_cast<int>(detailWidth));
            painter.drawText(room, Qt::AlignRight | Qt::AlignVCenter, detail);
            painter.restore();
            textRoom.setRight(room.right() - detailWidth - 8);
        }
        painter.setPen(ink);
        for (qreal size = kTextSize - 1; size >= kSmallestTextSize; --size) {
            if (painter.fontMetrics().horizontalAdvance(cell.text) <= textRoom.width()) break;
            painter.setFont(SystemFont::boldSystemFontOfSize(size, device));
        }
        const QString text =
            painter.fontMetrics().elidedText(cell.text, Qt::ElideRight, static_cast<int>(textRoom.width()));
        painter.drawText(textRoom, (cell.textAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, text);
    }
    for (const UITableViewCellLabel& label : cell.labels) {
        const QRectF frame = label.frame.translated(content.topLeft());
        const qreal size =
            label.minimumFontSize > 0
                ? fittingFontSize(label.text, label.fontSize, label.minimumFontSize, frame.width(), device, label.bold)
                : label.fontSize;
        painter.setFont(label.bold ? SystemFont::boldSystemFontOfSize(size, device)
                                   : SystemFont::systemFontOfSize(size, device));
        painter.setPen(ink);
        painter.drawText(frame, static_cast<int>(label.alignment),
                         painter.fontMetrics().elidedText(label.text, Qt::ElideRight, static_cast<int>(frame.width())));
    }
    if (cell.contentView) {
        const QRectF frame =
            cell.contentViewFrame.isEmpty() ? content : cell.contentViewFrame.translated(content.topLeft());
        renderWidget(painter, cell.contentView, frame);
    }
}

void UITableViewItemDelegate::paintTitle(QPainter& painter, const QRectF& bounds, int row) const {
    const QString text = model().title(row);
    if (text.isEmpty()) return;
    const QPaintDevice& device = *table_.viewport();
    const bool header = model().entry(row).kind == Kind::Header;
    if (table_.tableViewStyle() == UITableViewStyle::Plain) {
        QLinearGradient ground(bounds.topLeft(), bounds.bottomLeft());
        ground.setColorAt(0, QColor(0x8c, 0x7b, 0x60));
        ground.setColorAt(1, QColor(0x6c, 0x5c, 0x44));
        painter.fillRect(bounds, ground);
        painter.setFont(SystemFont::boldSystemFontOfSize(header ? 16 : 14, device));
        drawShadowedText(painter, bounds.adjusted(12, 0, -12, 0), Qt::AlignLeft | Qt::AlignVCenter, text, Qt::white,
                         QColor(0, 0, 0, 120));
        return;
    }
    if (header) {
        painter.setFont(SystemFont::boldSystemFontOfSize(kTextSize, device));
        const QRectF room(2 * kGroupInset, bounds.top(), bounds.width() - 4 * kGroupInset, bounds.height() - 6);
        drawShadowedText(painter, room, Qt::AlignLeft | Qt::AlignBottom, text, kHeaderInk, QColor(255, 255, 255, 200));
        return;
    }
    painter.setFont(SystemFont::systemFontOfSize(kFooterSize, device));
    const QRectF room(2 * kGroupInset, bounds.top() + 6, bounds.width() - 4 * kGroupInset, bounds.height() - 6);
    drawShadowedText(painter, room, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text, kFooterInk,
                     QColor(255, 255, 255, 200));
}

void UITableViewItemDelegate::renderWidget(QPainter& painter, QWidget* widget, const QRectF& frame) const {
    // The widget draws in its own pixels, which are the table's.
    const qreal factor = PointScale::factor();
    const QRect pixels(QPoint(0, 0), (frame.size() * factor).toSize());
    widget->resize(pixels.size());
    painter.save();
    const QPointF origin = painter.transform().map(frame.topLeft());
    painter.resetTransform();
    painter.translate(origin);
    widget->render(&painter, QPoint(), QRegion(pixels), QWidget::DrawChildren);
    painter.restore();
}
