#include "Platform/UI/UILabel.h"

#include <QPainter>

#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"

UILabel::UILabel(const QString& text, QWidget* parent) : QWidget(parent) {
    Accessibility::setIsAccessibilityElement(this, true);
    Accessibility::setTraits(this, AccessibilityTraitStaticText);
    setText(text);
}

void UILabel::setText(const QString& text) {
    text_ = text;
    Accessibility::setLabel(this, text.toStdString());
    update();
}

void UILabel::setFontSize(qreal points, bool bold) {
    fontSize_ = points;
    bold_ = bold;
    update();
}

void UILabel::setTextColor(const QColor& colour) {
    textColour_ = colour;
    update();
}

void UILabel::setShadowColor(const QColor& colour, QSizeF offset) {
    shadowColour_ = colour;
    shadowOffset_ = offset;
    update();
}

void UILabel::setTextAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void UILabel::setWordWrap(bool wraps) {
    wraps_ = wraps;
    update();
}

void UILabel::setBackgroundImageNamed(const std::string& name) {
    backgroundImageName_ = name;
    update();
}

void UILabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!backgroundImageName_.empty()) {
        // Drawn for the present scale whenever the label is painted.
        painter.fillRect(rect(), ImageStore::colorWithPatternImage(ImageStore::imageNamed(backgroundImageName_)));
    }
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal factor = PointScale::factor();
    painter.scale(factor, factor);
    painter.setFont(bold_ ? SystemFont::boldSystemFontOfSize(fontSize_, *this)
                          : SystemFont::systemFontOfSize(fontSize_, *this));
    const QRectF bounds(0, 0, width() / factor, height() / factor);
    const int flags = static_cast<int>(alignment_) | (wraps_ ? Qt::TextWordWrap : 0);
    const QString shown =
        wraps_ ? text_ : painter.fontMetrics().elidedText(text_, Qt::ElideRight, static_cast<int>(bounds.width()));
    if (shadowColour_.isValid()) {
        painter.setPen(shadowColour_);
        painter.drawText(bounds.translated(shadowOffset_.width(), shadowOffset_.height()), flags, shown);
    }
    painter.setPen(textColour_);
    painter.drawText(bounds, flags, shown);
}
