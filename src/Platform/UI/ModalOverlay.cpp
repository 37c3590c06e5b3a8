#include "Platform/UI/ModalOverlay.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

#include "Platform/UI/Accessibility.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UIWindow.h"

namespace {

constexpr qreal kDimming = 0.45;

}  // namespace

ModalOverlay::ModalOverlay(QWidget* parent)
    : QWidget(parent), animation_(new QPropertyAnimation(this, "presentation", this)) {
    // A click on the dimmed ground leaves the keyboard on the buttons.
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(animation_, &QPropertyAnimation::finished, this, [this] {
        if (answered_) deleteLater();
    });
}

ModalOverlay::~ModalOverlay() {
    if (parentWidget()) parentWidget()->removeEventFilter(this);
}

QString ModalOverlay::buttonTitleAtIndex(int buttonIndex) const {
    UIButton* button = buttonAtIndex(buttonIndex);
    return button ? button->title() : QString();
}

UIButton* ModalOverlay::buttonAtIndex(int buttonIndex) const {
    if (buttonIndex < 0 || buttonIndex >= numberOfButtons()) return nullptr;
    return buttons_[static_cast<size_t>(buttonIndex)];
}

UIButton* ModalOverlay::addButton(const QString& title, const std::string& faceName,
                                  const std::string& pressedFaceName) {
    auto* button = new UIButton(this);
    button->setTitle(title);
    button->setTitleFontSize(17);
    button->setBackgroundImageNamed(faceName);
    button->setBackgroundImageNamed(pressedFaceName, UIControlState::Highlighted);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAccessibleName(title);
    button->installEventFilter(this);
    const int index = numberOfButtons();
    connect(button, &UIButton::touchUpInside, this, [this, index] { dismissWithClickedButtonIndex(index, true); });
    buttons_.push_back(button);
    return button;
}

void ModalOverlay::showOver(QWidget* view, int focusedButtonIndex, double seconds) {
    QWidget* window = view->window();
    previousFocus_ = QApplication::focusWidget();
    setParent(window);
    window->installEventFilter(this);
    setGeometry(window->rect());
    raise();
    show();
    keyboardButtonIndex_ = buttonAtIndex(focusedButtonIndex) ? focusedButtonIndex : -1;
    UIButton* button = buttonAtIndex(keyboardButtonIndex_);
    QWidget* focus = button ? static_cast<QWidget*>(button) : this;
    focus->setFocus(Qt::OtherFocusReason);
    Accessibility::postNotification(AccessibilityNotification::ScreenChanged, focus);
    animation_->setDuration(static_cast<int>(seconds * 1000));
    animation_->setStartValue(0.0);
    animation_->setEndValue(1.0);
    animation_->setEasingCurve(QEasingCurve::OutCubic);
    animation_->start();
}

void ModalOverlay::dismissWithClickedButtonIndex(int buttonIndex, bool animated) {
    if (answered_) return;
    answered_ = true;
    if (previousFocus_)
        previousFocus_->setFocus(Qt::OtherFocusReason);
    else if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
        focus->clearFocus();
    for (UIButton* button : buttons_) button->setEnabled(false);
    answer(buttonIndex);
    if (!animated) {
        deleteLater();
        return;
    }
    animation_->stop();
    animation_->setDuration(200);
    animation_->setStartValue(presentation_);
    animation_->setEndValue(0.0);
    animation_->setEasingCurve(QEasingCurve::InCubic);
    animation_->start();
}

bool ModalOverlay::isShownOver(const QWidget* widget) {
    if (!widget) return false;
    for (const ModalOverlay* overlay : widget->window()->findChildren<ModalOverlay*>()) {
        if (overlay->isVisible() && !overlay->answered_ && !overlay->isAncestorOf(widget)) return true;
    }
    return false;
}

QRectF ModalOverlay::canvasInPoints() const {
    const auto* window = qobject_cast<const UIWindow*>(parentWidget());
    const QRect canvas = window ? window->canvasRect() : rect();
    return QRectF(0, 0, PointScale::pointsFromPixels(canvas.width()), PointScale::pointsFromPixels(canvas.height()));
}

QPointF ModalOverlay::canvasOrigin() const {
    const auto* window = qobject_cast<const UIWindow*>(parentWidget());
    return window ? QPointF(window->canvasRect().topLeft()) : QPointF();
}

void ModalOverlay::setPresentation(qreal presentation) {
    presentation_ = presentation;
    layoutPanel(presentation_);
    update();
}

void ModalOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, static_cast<int>(kDimming * presentation_ * 255)));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(canvasOrigin());
    const qreal factor = PointScale::factor();
    painter.scale(factor, factor);
    painter.save();
    paintPanel(painter, presentation_);
    painter.restore();
    // A brass ring shows which button the keyboard would press.
    const int focused = keyboardButtonIndex_;
    if (focused < 0 || answered_) return;
    const QRect button = buttons_[static_cast<size_t>(focused)]->geometry().translated(-canvasOrigin().toPoint());
    const QRectF ring =
        QRectF(button.x() / factor, button.y() / factor, button.width() / factor, button.height() / factor)
            .adjusted(-1, -1, 1, 1);
    painter.setPen(QPen(QColor(0xe0, 0xad, 0x5e, static_cast<int>(230 * presentation_)), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(ring, 9, 9);
}

void ModalOverlay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPanel(presentation_);
}

void ModalOverlay::keyPressEvent(QKeyEvent* event) { handleKey(event); }

// The overlay takes every click: nothing under it may be touched while it is shown.
void ModalOverlay::mousePressEvent(QMouseEvent* event) { event->accept(); }

void ModalOverlay::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

bool ModalOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
        return false;
    }
    if (event->type() == QEvent::KeyPress) return handleKey(static_cast<QKeyEvent*>(event));
    return false;
}

bool ModalOverlay::handleKey(QKeyEvent* event) {
    if (answered_) return true;
    switch (event->key()) {
        case Qt::Key_Escape:
            if (cancelButtonIndex() >= 0) dismissWithClickedButtonIndex(cancelButtonIndex(), true);
            break;
        case Qt::Key_Up:
        case Qt::Key_Left:
        case Qt::Key_Backtab: moveFocus(-1); break;
        case Qt::Key_Down:
        case Qt::Key_Right:
        case Qt::Key_Tab: moveFocus(1); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (keyboardButtonIndex_ >= 0) dismissWithClickedButtonIndex(keyboardButtonIndex_, true);
            break;
        default: break;
    }
    // No key reaches what lies under the overlay.
    event->accept();
    return true;
}

void ModalOverlay::moveFocus(int step) {
    if (buttons_.empty()) return;
    const int count = numberOfButtons();
    const int focused = keyboardButtonIndex_;
    keyboardButtonIndex_ = focused < 0 ? (step > 0 ? 0 : count - 1) : (focused + step + count) % count;
    buttons_[static_cast<size_t>(keyboardButtonIndex_)]->setFocus(Qt::TabFocusReason);
    update();
}
