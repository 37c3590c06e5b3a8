#pragma once

#include <QColor>
#include <QWidget>
#include <limits>
#include <optional>

#include "Classes/NumberAlignment.h"
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
    // The lines the view draws at present (one or two), for tests and accessibility.
    QStringList drawnLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawOneLine(QPainter& painter, const QString& digits, const QString& suffix, QSizeF size);
    void drawTwoLines(QPainter& painter, const QString& digits, const QString& suffix, QSizeF size);
};
