#pragma once

#include <QColor>
#include <optional>
#include <string>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcValue.h"
#include "Platform/UI/UIButton.h"
#include "Utils/CalcValueFormat.h"

class NumberView;

// A key of the favourites bar: it shows an operator (title or image, set by the bar), a named
// constant, or a value drawn by its number view, and describes itself to a screen reader.
class UIButtonFavourite : public UIButton {
    Q_OBJECT

public:
    explicit UIButtonFavourite(QWidget* parent = nullptr);

    OperatorsOperator operatorsOperator() const { return operatorsOperator_; }
    void setOperatorsOperator(OperatorsOperator op);
    const std::optional<std::string>& constantString() const { return constantString_; }
    void setConstantString(std::optional<std::string> constant);
    // With a value the number view shows it; without, the number view is hidden.
    void setCalcValue(const std::optional<CalcValue>& value, const CalcValueFormat& format);

    QColor numberTextColour() const;
    void setNumberTextColour(const QColor& colour);
    NumberView* numberView() const { return numberView_; }

    // The text a screen reader gives as the hint, none when there is nothing to say.
    std::optional<std::string> accessibilityHintText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateAccessibility();

    OperatorsOperator operatorsOperator_ = OperatorsOperatorNone;
    std::optional<std::string> constantString_;
    NumberView* numberView_;
};
