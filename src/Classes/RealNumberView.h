#pragma once

#include <QColor>
#include <QWidget>
#include <limits>
#include <optional>

#include "Classes/NumberAlignment.h"
#include "Classes/NumberTextRun.h"
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

    // What the view draws at the given size in points: nothing, or the mantissa (with "x10")
    // and the exponent.
    NumberTextRuns layoutRuns(QSizeF size) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
