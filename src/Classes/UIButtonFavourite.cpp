#include "Classes/UIButtonFavourite.h"

#include "Calculator/Operators.h"
#include "Classes/NumberView.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/PointScale.h"

namespace {
constexpr float kLargestNumberSize = 12.0f;
}

UIButtonFavourite::UIButtonFavourite(QWidget* parent) : UIButton(parent), numberView_(new NumberView(this)) {
    numberView_->setAttribute(Qt::WA_TransparentForMouseEvents);
    numberView_->hide();
    numberView_->setMaxFontSize(kLargestNumberSize);
    numberView_->setTextAlignment(NumberTextAlignmentCentre);
    setBackgroundImageNamed("favouriteKey.png");
    setBackgroundImageNamed("favouriteKeyPressed.png", UIControlState::Highlighted);
    Accessibility::setIsAccessibilityElement(this, true);
    Accessibility::setTraits(this, AccessibilityTraitButton);
    Accessibility::setLabel(this, Localized::string("Favourite"));
}

void UIButtonFavourite::resizeEvent(QResizeEvent*) {
    const qreal scale = PointScale::factor();
    numberView_->setGeometry(QRectF(6 * scale, 10 * scale, width() - 12 * scale, 20 * scale).toRect());
}

void UIButtonFavourite::setOperatorsOperator(OperatorsOperator op) {
    operatorsOperator_ = op;
    updateAccessibility();
}

void UIButtonFavourite::setConstantString(std::optional<std::string> constant) {
    constantString_ = std::move(constant);
    updateAccessibility();
}

void UIButtonFavourite::setCalcValue(const std::optional<CalcValue>& value, const CalcValueFormat& format) {
    if (value) {
        numberView_->updateWithCalcValue(*value, format);
        numberView_->show();
    } else {
        numberView_->hide();
    }
    updateAccessibility();
}

QColor UIButtonFavourite::numberTextColour() const { return numberView_->textColour(); }

void UIButtonFavourite::setNumberTextColour(const QColor& colour) { numberView_->setTextColour(colour); }

std::optional<std::string> UIButtonFavourite::accessibilityHintText() const {
    std::string text;
    if (operatorsOperator_ != 0) {
        text = Operators::sharedInstance().accessibilityStringFromOperator(operatorsOperator_);
    } else if (constantString_) {
        text = *constantString_;
    } else {
        text = Accessibility::value(numberView_).toStdString();
    }
    if (text.empty()) return std::nullopt;
    return text + ".";
}

void UIButtonFavourite::updateAccessibility() { Accessibility::setHint(this, accessibilityHintText().value_or("")); }
