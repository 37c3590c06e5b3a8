#pragma once

#include <string>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcValue.h"
#include "Platform/UI/EditMenu.h"
#include "Platform/UI/Image.h"
#include "Platform/UI/UIButton.h"
#include "Utils/CalcValueFormat.h"

class ErrorView;
class ImageView;
class NumberView;
class QLabel;

// The calculator's liquid-crystal display, a button so that it can be pressed and held. Four
// layers: the pending operator's icon top left, the word size top right, and the number or, in
// its place, the error message. Its title (not drawn) is the text that Copy takes.
class UIButtonLCD : public UIButton {
    Q_OBJECT

public:
    explicit UIButtonLCD(QWidget* parent = nullptr);

    void updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format);
    // The number view keeps its last value.
    void updateWithError(OperatorsError error);
    // While a value is typed: a real is shown so that exactly the typed digits show.
    void updateWithEditingCalcValue(const CalcValue& value, const CalcValueFormat& format, int32_t decimalPointDivider,
                                    bool hasExponent, int32_t exponent);
    static int decimalPlacesFromDecimalPointDivider(int32_t decimalPointDivider);
    // "UINT16", "INT16", or empty for a real; another type is a fatal assertion.
    void updateWithWordSize(int wordSize, CalcValueType type);

    OperatorsOperator currOperator() const { return currOperator_; }
    void setCurrOperator(OperatorsOperator op);
    // The central part of a menu icon, as a silhouette in the LCD's ink.
    static Image lcdImageFromMenuImage(const Image& menuImage);
    // Text that the number parser reads back as the same value: "0xFF", "-42d", "1010b", "2.5".
    static std::string pasteboardStringFromCalcValue(const CalcValue& value, const CalcValueFormat& format);

    bool canBecomeFirstResponder() const { return true; }

    ImageView* viewLCDOperator() const { return viewLCDOperator_; }
    NumberView* numberView() const { return numberView_; }
    ErrorView* errorView() const { return errorView_; }
    QLabel* wordSizeLabel() const { return wordSizeLabel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutLayers();
    void updateAccessibility();
    void updateAccessibilityHint();

    OperatorsOperator currOperator_ = OperatorsOperatorNone;
    ImageView* viewLCDOperator_;
    NumberView* numberView_;
    ErrorView* errorView_;
    QLabel* wordSizeLabel_;
};
