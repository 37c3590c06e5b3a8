#pragma once

#include <cstdint>
#include <limits>

#include "Platform/UI/ViewController.h"

class IntegerViewControllerDelegate;
class QLineEdit;
class UILabel;

// A number typed into a field. When the user goes back (the back button, Enter in the field,
// Escape, or Done closing the whole stack) the text is read as a decimal integer, brought
// within the bounds, and given to the delegate.
class IntegerViewController : public ViewController {
    Q_OBJECT

public:
    explicit IntegerViewController(QWidget* parent = nullptr);

    int32_t intValue() const { return intValue_; }
    void setIntValue(int32_t value) { intValue_ = value; }
    int32_t minIntValue() const { return minIntValue_; }
    void setMinIntValue(int32_t value) { minIntValue_ = value; }
    int32_t maxIntValue() const { return maxIntValue_; }
    void setMaxIntValue(int32_t value) { maxIntValue_ = value; }
    IntegerViewControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(IntegerViewControllerDelegate* delegate) { delegate_ = delegate; }
    // A cancelled entry reports nothing as it goes.
    bool isCancelled() const { return isCancelled_; }
    void setCancelled(bool cancelled) { isCancelled_ = cancelled; }
    QLineEdit* textField() const { return textField_; }

    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutForScale();

    int32_t intValue_ = 0;
    int32_t minIntValue_ = std::numeric_limits<int32_t>::min();
    int32_t maxIntValue_ = std::numeric_limits<int32_t>::max();
    IntegerViewControllerDelegate* delegate_ = nullptr;
    bool isCancelled_ = false;
    QLineEdit* textField_;
    UILabel* boundsLabel_;
};
