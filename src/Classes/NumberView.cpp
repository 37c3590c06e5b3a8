#include "Classes/NumberView.h"

#include "Classes/BaseNumberView.h"
#include "Classes/RealNumberView.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/Accessibility.h"
#include "Utils/NumberUtils.h"

NumberView::NumberView(QWidget* parent)
    : QWidget(parent), baseNumberView_(new BaseNumberView(this)), realNumberView_(new RealNumberView(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    baseNumberView_->setGeometry(rect());
    realNumberView_->setGeometry(rect());
    Accessibility::setIsAccessibilityElement(this, true);
    Accessibility::setTraits(this, AccessibilityTraitStaticText);
    Accessibility::setLabel(this, Localized::string("Number"));
}

void NumberView::updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format) {
    switch (value.type()) {
        case CalcValueTypeUBase:
        case CalcValueTypeSBase:
            baseNumberView_->updateWithCalcValue(value, format);
            baseNumberView_->show();
            realNumberView_->hide();
            break;
        case CalcValueTypeReal:
            realNumberView_->updateWithCalcValue(value, format);
            realNumberView_->show();
            baseNumberView_->hide();
            break;
        default: fatalAssert("NumberView", "unrecognised calcvalue type");
    }
    updateAccessibility();
}

void NumberView::updateAccessibility() {
    const std::optional<CalcValue> value = displayCalcValue();
    const std::optional<CalcValueFormat> format = displayFormat();
    std::optional<std::string> spoken;
    if (value) spoken = NumberUtils::accessibilityStringFromCalcValue(*value, format ? &*format : nullptr);
    Accessibility::setValue(this, spoken.value_or(""));
}

bool NumberView::allowTwoLines() const { return baseNumberView_->allowTwoLines; }

void NumberView::setAllowTwoLines(bool allow) {
    baseNumberView_->allowTwoLines = allow;
    baseNumberView_->update();
}

NumberTextAlignment NumberView::textAlignment() const { return baseNumberView_->textAlignment; }

void NumberView::setTextAlignment(NumberTextAlignment alignment) {
    baseNumberView_->textAlignment = alignment;
    realNumberView_->textAlignment = alignment;
    update();
}

int32_t NumberView::twoLineBottomMargin() const { return baseNumberView_->twoLineBottomMargin; }

void NumberView::setTwoLineBottomMargin(int32_t margin) { baseNumberView_->twoLineBottomMargin = margin; }

QColor NumberView::textColour() const { return baseNumberView_->textColour; }

void NumberView::setTextColour(const QColor& colour) {
    baseNumberView_->textColour = colour;
    realNumberView_->textColour = colour;
    update();
}

float NumberView::maxFontSize() const { return baseNumberView_->maxFontSize; }

void NumberView::setMaxFontSize(float size) {
    baseNumberView_->maxFontSize = size;
    realNumberView_->maxFontSize = size;
    update();
}

std::optional<CalcValue> NumberView::displayCalcValue() const {
    if (!baseNumberView_->isHidden()) return baseNumberView_->displayCalcValue;
    if (!realNumberView_->isHidden()) return realNumberView_->displayCalcValue;
    return std::nullopt;
}

std::optional<CalcValueFormat> NumberView::displayFormat() const {
    if (!baseNumberView_->isHidden()) return baseNumberView_->displayFormat;
    if (!realNumberView_->isHidden()) return realNumberView_->displayFormat;
    return std::nullopt;
}

void NumberView::resizeEvent(QResizeEvent*) {
    baseNumberView_->setGeometry(rect());
    realNumberView_->setGeometry(rect());
}
