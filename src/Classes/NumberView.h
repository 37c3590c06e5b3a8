#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

#include "Classes/NumberAlignment.h"
#include "Model/CalcValue.h"
#include "Utils/CalcValueFormat.h"

class BaseNumberView;
class RealNumberView;

// Shows a value with whichever drawing view suits it: integers in a BaseNumberView, reals in a
// RealNumberView. The properties are handed to the drawing views and read back from the
// integer one.
class NumberView : public QWidget {
    Q_OBJECT

public:
    explicit NumberView(QWidget* parent = nullptr);

    // A value of type none is a fatal assertion.
    void updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format);

    bool allowTwoLines() const;
    void setAllowTwoLines(bool allow);
    NumberTextAlignment textAlignment() const;
    void setTextAlignment(NumberTextAlignment alignment);
    int32_t twoLineBottomMargin() const;
    void setTwoLineBottomMargin(int32_t margin);
    QColor textColour() const;
    void setTextColour(const QColor& colour);
    float maxFontSize() const;
    void setMaxFontSize(float size);

    // From the visible drawing view; none when both are hidden.
    std::optional<CalcValue> displayCalcValue() const;
    std::optional<CalcValueFormat> displayFormat() const;

    BaseNumberView* baseNumberView() const { return baseNumberView_; }
    RealNumberView* realNumberView() const { return realNumberView_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateAccessibility();

    BaseNumberView* baseNumberView_;
    RealNumberView* realNumberView_;
};
