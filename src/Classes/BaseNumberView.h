#pragma once

#include <QColor>
#include <QWidget>
#include <limits>
#include <optional>

#include "Classes/NumberAlignment.h"
#include "Classes/NumberTextRun.h"
#include "Model/CalcValue.h"
#include "Utils/CalcValueFormat.h"

// Draws an integer: the digits fitted to the width with the base letter small and low after
// them; a long binary value may take two lines, the low 32 bits below.
class BaseNumberView : public QWidget {
    Q_OBJECT

public:
    explicit BaseNumberView(QWidget* parent = nullptr);

    void updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format);

    NumberTextAlignment textAlignment = NumberTextAlignmentRight;
    QColor textColour = Qt::black;
    std::optional<CalcValue> displayCalcValue;
    std::optional<CalcValueFormat> displayFormat;
    bool allowTwoLines = false;
    // Kept and reported; the two-line layout uses its own fixed margin.
    int32_t twoLineBottomMargin = 0;
    float maxFontSize = std::numeric_limits<float>::max();

    // Binary texts longer than this take two lines when allowed.
    static constexpr int BaseNumberViewTwoLineLength = 39;
    // What the view draws at the given size in points: nothing, or the digits (one or two
    // lines) and the base letter.
    NumberTextRuns layoutRuns(QSizeF size) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NumberTextRuns oneLineRuns(const QString& digits, const QString& suffix, QSizeF size) const;
    NumberTextRuns twoLineRuns(const QString& digits, const QString& suffix, QSizeF size) const;
};
