#include "Platform/UI/UIActionSheet.h"

#include <QPainter>

#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/SystemFont.h"
#include "Platform/UI/UIButton.h"

namespace {

constexpr qreal kMargin = 20.0;
constexpr qreal kButtonHeight = 44.0;
constexpr qreal kButtonGap = 8.0;
constexpr qreal kCancelGap = 10.0;
constexpr qreal kTitleHeight = 34.0;
constexpr double kSlideSeconds = 0.3;

}  // namespace

UIActionSheet::UIActionSheet(const QString& title, UIActionSheetDelegate* delegate, const QString& cancelButtonTitle,
                             const QString& destructiveButtonTitle, const QStringList& otherButtonTitles)
    : title_(title), delegate_(delegate) {
    if (!destructiveButtonTitle.isEmpty()) {
        destructiveButtonIndex_ = numberOfButtons();
        addButton(destructiveButtonTitle, "keyClear.png", "keyClearPressed.png");
    }
    for (const QString& other : otherButtonTitles) addButton(other, "keyFunction.png", "keyFunctionPressed.png");
    if (!cancelButtonTitle.isEmpty()) {
        cancelButtonIndex_ = numberOfButtons();
        addButton(cancelButtonTitle, "keyDigit.png", "keyDigitPressed.png");
    }
    setAccessibleName(title);
}

void UIActionSheet::showInView(QWidget* view) {
    showOver(view, cancelButtonIndex_ >= 0 ? cancelButtonIndex_ : 0, kSlideSeconds);
}

qreal UIActionSheet::panelHeight() const {
    qreal height = kMargin + (title_.isEmpty() ? 0 : kTitleHeight);
    height += numberOfButtons() * kButtonHeight + std::max(0, numberOfButtons() - 1) * kButtonGap;
    if (cancelButtonIndex_ > 0) height += kCancelGap;
    return height + kMargin;
}

QRectF UIActionSheet::panelRect(qreal presentation) const {
    const QRectF canvas = canvasInPoints();
    const qreal height = panelHeight();
    return QRectF(0, canvas.bottom() - height * presentation, canvas.width(), height);
}

void UIActionSheet::layoutPanel(qreal presentation) {
    const QRectF panel = panelRect(presentation);
    qreal top = panel.top() + kMargin + (title_.isEmpty() ? 0 : kTitleHeight);
    for (int index = 0; index < numberOfButtons(); ++index) {
        if (index == cancelButtonIndex_ && index > 0) top += kCancelGap;
        const QRect frame =
            PointGeometry::pixelRectFromPoints(kMargin, top, panel.width() - 2 * kMargin, kButtonHeight);
        buttonAtIndex(index)->setGeometry(frame.translated(canvasOrigin().toPoint()));
        top += kButtonHeight + kButtonGap;
    }
}

void UIActionSheet::paintPanel(QPainter& painter, qreal presentation) {
    const QRectF panel = panelRect(presentation);
    QLinearGradient ground(panel.topLeft(), panel.bottomLeft());
    ground.setColorAt(0.0, QColor(0x3c, 0x3d, 0x43));
    ground.setColorAt(1.0, QColor(0x17, 0x18, 0x1b));
    painter.fillRect(panel, ground);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    painter.drawLine(panel.topLeft() + QPointF(0, 0.5), panel.topRight() + QPointF(0, 0.5));
    if (title_.isEmpty()) return;
    painter.setFont(SystemFont::systemFontOfSize(13, *this));
    painter.setPen(QColor(0xc8, 0xc2, 0xb4));
    painter.drawText(QRectF(kMargin, panel.top() + kMargin - 6, panel.width() - 2 * kMargin, kTitleHeight),
                     Qt::AlignCenter | Qt::TextWordWrap, title_);
}

void UIActionSheet::answer(int buttonIndex) {
    if (delegate_) delegate_->actionSheetClickedButtonAtIndex(*this, buttonIndex);
}
