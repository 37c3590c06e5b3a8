#include "Classes/UIButtonLCD.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include "Calculator/CalcScreenLogic.h"
#include "Calculator/Operators.h"
#include "Classes/ErrorView.h"
#include "Classes/NumberView.h"
#include "Classes/QuilletColours.h"
#include "Classes/ZQGreyscale.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/Log.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/FocusRing.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/ImageView.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"
#include "Utils/NumberUtils.h"

namespace {
constexpr qreal kWordSizeFontSize = 10.0;
constexpr float kLargestNumberSize = 40.0f;
constexpr int32_t kNumberTwoLineBottomMargin = 20;
constexpr qreal kFocusRingRadius = 6.0;

QRect pixelRect(qreal x, qreal y, qreal width, qreal height) {
    const qreal scale = PointScale::factor();
    return QRectF(x * scale, y * scale, width * scale, height * scale).toRect();
}
}  // namespace

UIButtonLCD::UIButtonLCD(QWidget* parent)
    : UIButton(parent),
      viewLCDOperator_(new ImageView(this)),
      numberView_(new NumberView(this)),
      errorView_(new ErrorView(this)),
      wordSizeLabel_(new QLabel(this)) {
    viewLCDOperator_->hide();

    wordSizeLabel_->setAttribute(Qt::WA_TranslucentBackground);
    wordSizeLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    wordSizeLabel_->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(QuilletColours::lcdTextColour().name()));

    numberView_->setAllowTwoLines(true);
    numberView_->setTextColour(QuilletColours::lcdTextColour());
    numberView_->setMaxFontSize(kLargestNumberSize);
    numberView_->setTextAlignment(NumberTextAlignmentRight);
    numberView_->setTwoLineBottomMargin(kNumberTwoLineBottomMargin);

    // The error view lies on top of the others.
    wordSizeLabel_->raise();
    numberView_->raise();
    errorView_->raise();
    errorView_->hide();

    Accessibility::setIsAccessibilityElement(this, true);
    Accessibility::setTraits(this, AccessibilityTraitStaticText);
    Accessibility::setLabel(this, Localized::string("LCD"));
    layoutLayers();
}

void UIButtonLCD::layoutLayers() {
    const qreal scale = PointScale::factor();
    const qreal w = width() / scale;
    const qreal h = height() / scale;
    viewLCDOperator_->setGeometry(pixelRect(5, 5, 32, 18));
    wordSizeLabel_->setGeometry(pixelRect(w - 45, 5, 40, 14));
    wordSizeLabel_->setFont(SystemFont::systemFontOfSize(kWordSizeFontSize * scale, *wordSizeLabel_));
    numberView_->setGeometry(pixelRect(6, 0, w - 12, h));
    errorView_->setGeometry(pixelRect(0, 0, w, h));
}

void UIButtonLCD::resizeEvent(QResizeEvent*) { layoutLayers(); }

void UIButtonLCD::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Light falls on the glass from above; a thin shadow under the bezel gives it depth.
    QLinearGradient light(0, 0, 0, height());
    light.setColorAt(0.0, QColor(255, 255, 240, 46));
    light.setColorAt(0.45, QColor(255, 255, 240, 0));
    light.setColorAt(1.0, QColor(60, 60, 30, 24));
    painter.fillRect(rect(), light);
    painter.fillRect(QRectF(0, 0, width(), PointScale::pixelsFromPoints(1.5)), QColor(40, 40, 20, 40));
    if (isDown()) {
        // Pressed, the glass darkens a little, as a key does.
        painter.fillRect(rect(), QColor(40, 42, 30, 28));
    }
    if (FocusRing::isShownOn(*this)) {
        const qreal scale = PointScale::factor();
        painter.scale(scale, scale);
        FocusRing::paint(painter, QRectF(0, 0, width() / scale, height() / scale), kFocusRingRadius);
    }
}

void UIButtonLCD::updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format) {
    errorView_->hide();
    numberView_->show();
    numberView_->updateWithCalcValue(value, format);
    setTitle(QString::fromStdString(pasteboardStringFromCalcValue(value, format)));
    updateAccessibility();
}

void UIButtonLCD::updateWithError(OperatorsError error) {
    numberView_->hide();
    errorView_->show();
    errorView_->updateWithError(error);
    setTitle(errorView_->mainLabel()->text());
    updateAccessibility();
}

void UIButtonLCD::updateWithEditingCalcValue(const CalcValue& value, const CalcValueFormat& format,
                                             int32_t decimalPointDivider, bool hasExponent, int32_t exponent) {
    updateWithCalcValue(value,
                        CalcScreenLogic::editingFormat(value, format, decimalPointDivider, hasExponent, exponent));
}

int UIButtonLCD::decimalPlacesFromDecimalPointDivider(int32_t decimalPointDivider) {
    return CalcScreenLogic::decimalPlacesFromDecimalPointDivider(decimalPointDivider);
}

void UIButtonLCD::updateWithWordSize(int wordSize, CalcValueType type) {
    switch (type) {
        case CalcValueTypeUBase: wordSizeLabel_->setText(QStringLiteral("UINT%1").arg(wordSize)); break;
        case CalcValueTypeSBase: wordSizeLabel_->setText(QStringLiteral("INT%1").arg(wordSize)); break;
        case CalcValueTypeReal: wordSizeLabel_->setText(QString()); break;
        default: fatalAssert("Classes/UIButtonLCD", "unrecognised value type");
    }
    updateAccessibilityHint();
}

void UIButtonLCD::setCurrOperator(OperatorsOperator op) {
    currOperator_ = op;
    updateAccessibilityHint();
    if (CalcEngine::operatorIsNoneOrEquals(op)) {
        viewLCDOperator_->hide();
        return;
    }
    const std::string name = Operators::sharedInstance().imageFromOperator(op);
    const Image menuImage = name.empty() ? Image() : ImageStore::imageNamed(name);
    if (menuImage.isNull()) {
        viewLCDOperator_->hide();
        return;
    }
    const Image image = lcdImageFromMenuImage(menuImage);
    Log::format("Image %f %f\n", image.size().width(), image.size().height());
    viewLCDOperator_->setImage(image);
    viewLCDOperator_->show();
}

Image UIButtonLCD::lcdImageFromMenuImage(const Image& menuImage) {
    const QSizeF size = menuImage.size();
    const Image cut = menuImage.croppedToRect(QRectF(14, 10, size.width() - 28, size.height() - 20));
    return imageGreyscaleWithColor(cut, QuilletColours::lcdTextColour());
}

std::string UIButtonLCD::pasteboardStringFromCalcValue(const CalcValue& value, const CalcValueFormat& format) {
    return NumberUtils::pasteboardStringFromCalcValue(value, format);
}

void UIButtonLCD::updateAccessibility() {
    if (!errorView_->isHidden()) {
        Accessibility::setValue(this, errorView_->mainLabel()->text().toStdString());
        return;
    }
    // The number view speaks its value in its own format.
    Accessibility::setValue(this, Accessibility::value(numberView_).toStdString());
}

void UIButtonLCD::updateAccessibilityHint() {
    // What the two corners show: the word size, and the operator waiting for its second operand.
    std::string hint = wordSizeLabel_->text().toStdString();
    if (!CalcEngine::operatorIsNoneOrEquals(currOperator_)) {
        const std::string spoken = Operators::sharedInstance().accessibilityStringFromOperator(currOperator_);
        if (!spoken.empty()) {
            if (!hint.empty()) hint += ", ";
            hint += QString::fromStdString(Localized::string("%1 pending"))
                        .arg(QString::fromStdString(spoken))
                        .toStdString();
        }
    }
    if (hint != Accessibility::hint(this).toStdString()) Accessibility::setHint(this, hint);
}
