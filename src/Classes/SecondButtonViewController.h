#pragma once

#include <QWidget>

class QScrollArea;

// The second page of the keypad strip: a vertical scroll view that carries the ASCII table.
class SecondButtonViewController : public QWidget {
    Q_OBJECT

public:
    explicit SecondButtonViewController(QWidget* parent = nullptr);
    ~SecondButtonViewController() override;

    QScrollArea* scrollView() const { return scrollView_; }
    // While the keypad strip rests away from the first page the table redraws on changes.
    void setIsRedrawing(bool isRedrawing) { isRedrawing_ = isRedrawing; }
    bool isRedrawing() const { return isRedrawing_; }

    void releaseAll();
    void didReceiveMemoryWarning();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void viewDidLoad();

    QScrollArea* scrollView_ = nullptr;
    bool isRedrawing_ = false;
};
