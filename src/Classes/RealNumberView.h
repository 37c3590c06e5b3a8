#pragma once

#include <QColor>
#include <QWidget>
#include <limits>
#include <optional>

#include "Classes/NumberAlignment.h"
#include "Model/CalcValue.h"
#include "Utils/CalcValueFormat.h"

// Draws a real: the mantissa fitted to the width, then "x10" and the exponent small and raised.
class RealNumberView : public QWidget {
    Q_OBJECT

public:
    explicit RealNumberView(QWidget* parent = nullptr);

    void updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format);

    NumberTextAlignment textAlignment = NumberTextAlignmentLeft;
    QColor textColour = Qt::black;
    std::optional<CalcValue> displayCalcValue;
    std::optional<CalcValueFormat> displayFormat;
    float maxFontSize = std::numeric_limits<float>::max();

protected:
    void paintEvent(QPaintEvent* event) override;
};
