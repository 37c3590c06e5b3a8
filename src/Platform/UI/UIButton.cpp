#include "Platform/UI/UIButton.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "Platform/UI/Accessibility.h"
#include "Platform/UI/FocusRing.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"

namespace {
// The rounded corners of a key face keep their shape at any key size.
constexpr qreal kFaceCapInset = 12.0;
constexpr qreal kFocusRingRadius = 8.0;
// Below this share of the room a title of the font's widest letters fits whatever its letters;
// the margin covers kerning and rounding.
constexpr qreal kSureFitShare = 0.8;
size_t indexOf(UIControlState state) { return static_cast<size_t>(state); }
bool titleIsSet(const QString& title) { return !title.isNull(); }
bool colourIsSet(const QColor& colour) { return colour.isValid(); }
bool imageIsSet(const Image& image) { return !image.isNull(); }
bool nameIsSet(const std::string& name) { return !name.empty(); }
}  // namespace

UIButton::UIButton(QWidget* parent) : QAbstractButton(parent) {
    titleColours_[indexOf(UIControlState::Normal)] = Qt::white;
    Accessibility::install();
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::pressed, this, [this] {
        touchCancelled_ = false;
        emit touchDown();
    });
    // Return on a focused key clicks it a moment later, and Qt clicks even if the key was
    // disabled in that moment (the display turned to a base without that digit): such a key
    // does nothing.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (isEnabled()) emit touchUpInside();
    });
}

void UIButton::setTitle(const QString& title, UIControlState state) {
    titles_[indexOf(state)] = title;
    if (state == UIControlState::Normal) setText(title);
    update();
}

QString UIButton::title(UIControlState state) const { return titles_[indexOf(state)]; }

template <typename T>
const T& UIButton::forState(const std::array<T, 3>& values, bool (*isSet)(const T&)) const {
    const T& own = values[indexOf(controlState())];
    return isSet(own) ? own : values[indexOf(UIControlState::Normal)];
}

QString UIButton::currentTitle() const { return forState(titles_, titleIsSet); }

void UIButton::setTitleColor(const QColor& colour, UIControlState state) {
    titleColours_[indexOf(state)] = colour;
    update();
}

void UIButton::setImage(const Image& image, UIControlState state) {
    images_[indexOf(state)] = image;
    update();
}

Image UIButton::image(UIControlState state) const { return images_[indexOf(state)]; }

void UIButton::setBackgroundImageNamed(const std::string& name, UIControlState state) {
    backgroundNames_[indexOf(state)] = name;
    update();
}

void UIButton::setTitleFontSize(qreal points, bool bold) {
    titleFontSize_ = points;
    titleBold_ = bold;
    update();
}

UIControlState UIButton::controlState() const {
    if (!isEnabled()) return UIControlState::Disabled;
    if (isDown()) return UIControlState::Highlighted;
    return UIControlState::Normal;
}

void UIButton::setHoldAction(const QString& name, std::function<void()> action) {
    holdActionName_ = name;
    holdAction_ = std::move(action);
}

bool UIButton::performHoldAction() {
    if (!holdAction_ || !isEnabled()) return false;
    holdAction_();
    return true;
}

void UIButton::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier && hasHoldAction()) {
        performHoldAction();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        if (!event->isAutoRepeat()) animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void UIButton::contextMenuEvent(QContextMenuEvent* event) {
    // Without a hold of its own the key leaves the menu to the widget around it.
    if (!performHoldAction()) {
        event->ignore();
        return;
    }
    event->accept();
}

void UIButton::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    update();
}

void UIButton::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    update();
}

void UIButton::cancelTouch() {
    if (!isTracking_) return;
    isTracking_ = false;
    touchCancelled_ = true;
    setDown(false);
    emit touchCancel();
}

QSize UIButton::sizeHint() const {
    const qreal scale = PointScale::factor();
    return QSize(static_cast<int>(60 * scale), static_cast<int>(44 * scale));
}

void UIButton::mousePressEvent(QMouseEvent* event) {
    touchCancelled_ = false;
    const bool isTouch = event->button() == Qt::LeftButton && hitButton(event->position().toPoint());
    isTracking_ = isTouch;
    isTouchInside_ = isTouch;
    QAbstractButton::mousePressEvent(event);
}

void UIButton::mouseMoveEvent(QMouseEvent* event) {
    // Qt's own handling would report a second press each time the pointer comes back.
    if (!isTracking_) {
        event->ignore();
        return;
    }
    event->accept();
    const bool inside = hitButton(event->position().toPoint());
    if (inside == isTouchInside_) return;
    isTouchInside_ = inside;
    setDown(inside);
    if (inside) {
        emit touchDragEnter();
    } else {
        emit touchDragExit();
    }
}

void UIButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    if (touchCancelled_ || !isTracking_) {
        // A touch taken over by a scrolling strip, or one that never began here, ends without
        // any event.
        touchCancelled_ = false;
        setDown(false);
        event->accept();
        return;
    }
    isTracking_ = false;
    const bool inside = hitButton(event->position().toPoint());
    // Down exactly when lifted inside, so that Qt clicks then and only then.
    setDown(inside);
    QAbstractButton::mouseReleaseEvent(event);
    event->accept();
    if (!inside) emit touchUpOutside();
}

void UIButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal scale = PointScale::factor();
    painter.scale(scale, scale);
    const QRectF bounds(0, 0, width() / scale, height() / scale);
    paintButton(painter, bounds);
    if (FocusRing::isShownOn(*this)) FocusRing::paint(painter, bounds, kFocusRingRadius);
}

void UIButton::paintButton(QPainter& painter, const QRectF& bounds) {
    const std::string& faceName = forState(backgroundNames_, nameIsSet);
    if (!faceName.empty()) {
        ImageStore::imageNamed(faceName).drawStretchable(painter, bounds, kFaceCapInset);
    }
    for (Image& image : images_) image = image.atCurrentScale();
    const Image& picture = forState(images_, imageIsSet);
    if (!picture.isNull()) {
        const QSizeF size = picture.size();
        const QPointF topLeft(bounds.center().x() - size.width() / 2, bounds.center().y() - size.height() / 2);
        if (!isEnabled()) painter.setOpacity(0.4);
        picture.draw(painter, QRectF(topLeft, size));
        painter.setOpacity(1.0);
    }
    const QString text = currentTitle();
    if (!text.isEmpty()) {
        QFont font = titleBold_ ? SystemFont::boldSystemFontOfSize(titleFontSize_, *this)
                                : SystemFont::systemFontOfSize(titleFontSize_, *this);
        // A long title shrinks to fit the key rather than being cut. A title of a few letters
        // that fits even if each were the font's widest is not laid out to be measured.
        QFontMetricsF metrics(font, this);
        const qreal room = bounds.width() - 6;
        if (text.size() * metrics.maxWidth() > room * kSureFitShare) {
            const qreal textWidth = metrics.horizontalAdvance(text);
            if (textWidth > room && textWidth > 0) {
                font.setPointSizeF(font.pointSizeF() * room / textWidth);
            }
        }
        painter.setFont(font);
        QColor colour = forState(titleColours_, colourIsSet);
        if (!isEnabled() && !titleColours_[indexOf(UIControlState::Disabled)].isValid()) colour.setAlphaF(0.35);
        painter.setPen(colour);
        painter.drawText(bounds, Qt::AlignCenter, text);
    }
}
