#include "Platform/UI/UIAlertView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/SystemFont.h"
#include "Platform/UI/UIButton.h"

namespace {

constexpr qreal kWidth = 276.0;
constexpr qreal kPadding = 16.0;
constexpr qreal kTitleHeight = 26.0;
constexpr qreal kMessageSize = 15.0;
constexpr qreal kButtonHeight = 44.0;
constexpr qreal kButtonGap = 8.0;
constexpr double kPopSeconds = 0.25;

}  // namespace

UIAlertView::UIAlertView(const QString& title, const QString& message, UIAlertViewDelegate* delegate,
                         const QString& cancelButtonTitle, const QStringList& otherButtonTitles)
    : title_(title), message_(message), delegate_(delegate) {
    if (!cancelButtonTitle.isEmpty()) {
        cancelButtonIndex_ = 0;
        addButton(cancelButtonTitle, "keyOperator.png", "keyOperatorPressed.png");
    }
    for (const QString& other : otherButtonTitles) addButton(other, "keyFunction.png", "keyFunctionPressed.png");
    setAccessibleName(title);
    setAccessibleDescription(message);
}

void UIAlertView::showInView(QWidget* view) { showOver(view, 0, kPopSeconds); }

qreal UIAlertView::messageHeight() const {
    const QFontMetricsF metrics(SystemFont::systemFontOfSize(kMessageSize, *this), this);
    const QRectF bounds =
        metrics.boundingRect(QRectF(0, 0, kWidth - 2 * kPadding, 1000), Qt::AlignHCenter | Qt::TextWordWrap, message_);
    return std::ceil(bounds.height());
}

// Two buttons stand side by side, more are stacked.
QRectF UIAlertView::panelRect() const {
    const QRectF canvas = canvasInPoints();
    const int rows = numberOfButtons() == 2 ? 1 : numberOfButtons();
    const qreal height = kPadding + kTitleHeight + messageHeight() + kPadding + rows * kButtonHeight +
                         std::max(0, rows - 1) * kButtonGap + kPadding;
    return QRectF((canvas.width() - kWidth) / 2, (canvas.height() - height) / 2, kWidth, height);
}

void UIAlertView::layoutPanel(qreal) {
    const QRectF panel = panelRect();
    const qreal top = panel.top() + kPadding + kTitleHeight + messageHeight() + kPadding;
    const qreal inner = kWidth - 2 * kPadding;
    for (int index = 0; index < numberOfButtons(); ++index) {
        QRectF frame(panel.left() + kPadding, top + index * (kButtonHeight + kButtonGap), inner, kButtonHeight);
        if (numberOfButtons() == 2) {
            const qreal half = (inner - kButtonGap) / 2;
            frame = QRectF(panel.left() + kPadding + index * (half + kButtonGap), top, half, kButtonHeight);
        }
        buttonAtIndex(index)->setGeometry(
            PointGeometry::pixelRectFromPoints(frame).translated(canvasOrigin().toPoint()));
    }
}

void UIAlertView::paintPanel(QPainter& painter, qreal presentation) {
    const QRectF panel = panelRect();
    painter.setOpacity(presentation);
    // The panel grows into place as it appears.
    const qreal growth = 1.08 - 0.08 * presentation;
    painter.translate(panel.center());
    painter.scale(growth, growth);
    painter.translate(-panel.center());
    QLinearGradient ground(panel.topLeft(), panel.bottomLeft());
    ground.setColorAt(0.0, QColor(0x45, 0x3c, 0x30, 245));
    ground.setColorAt(1.0, QColor(0x1e, 0x1b, 0x17, 245));
    painter.setPen(QPen(QColor(0xc4, 0x9d, 0x61, 200), 1.5));
    painter.setBrush(ground);
    painter.drawRoundedRect(panel, 12, 12);
    painter.setFont(SystemFont::boldSystemFontOfSize(18, *this));
    painter.setPen(Qt::white);
    const QRectF inner = panel.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    painter.drawText(QRectF(inner.left(), inner.top(), inner.width(), kTitleHeight), Qt::AlignHCenter | Qt::AlignTop,
                     title_);
    painter.setFont(SystemFont::systemFontOfSize(kMessageSize, *this));
    painter.setPen(QColor(0xe6, 0xe0, 0xd2));
    painter.drawText(QRectF(inner.left(), inner.top() + kTitleHeight, inner.width(), messageHeight()),
                     Qt::AlignHCenter | Qt::TextWordWrap, message_);
}

void UIAlertView::answer(int buttonIndex) {
    if (delegate_) delegate_->alertViewClickedButtonAtIndex(*this, buttonIndex);
}
