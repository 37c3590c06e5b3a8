#pragma once

#include <QWidget>

#include "Calculator/OperatorsModule.h"

class QLabel;

// An error message in place of the number, centred and shrunk to fit the width.
class ErrorView : public QWidget {
    Q_OBJECT

public:
    explicit ErrorView(QWidget* parent = nullptr);

    // The localized message of the code; codes outside 1 to 5 read "Unknown error".
    void updateWithError(OperatorsError error);
    QLabel* mainLabel() const { return mainLabel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitLabel();

    QLabel* mainLabel_;
};
