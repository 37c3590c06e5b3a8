#pragma once

#include <QPointF>

#include "Platform/UI/OneShotTimer.h"
#include "Platform/UI/ViewController.h"

class ASCIIViewController;
class CalcEngine;
class QScrollArea;

// The second page of the keypad strip: a vertical scroll view that carries the ASCII table. The
// table is made a second after the page, so that building the keypad stays quick, or at once
// when the page is shown before that.
class SecondButtonViewController : public ViewController {
    Q_OBJECT

public:
    static constexpr double SecondButtonViewControllerASCIITableDelay = 1.0;
    // Where the table starts scrolled to, in points: the letters are in view.
    static constexpr double SecondButtonViewControllerStartOffset = 180;

    explicit SecondButtonViewController(QWidget* parent = nullptr);
    explicit SecondButtonViewController(CalcEngine& engine, QWidget* parent = nullptr);

    QScrollArea* scrollView() const { return scrollView_; }
    ASCIIViewController* asciiViewController() const { return asciiViewController_; }
    void createASCIITable();
    bool isASCIITableCreationPending() const { return createTimer_.isActive(); }
    // The vertical offset of the scroll view, in points.
    double contentOffsetY() const;

    // While the keypad strip rests away from the first page the table redraws on changes.
    void setIsRedrawing(bool isRedrawing);
    bool isRedrawing() const { return isRedrawing_; }

    void scrollViewDidScroll();

    void releaseAll() override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setContentOffsetY(double points);

    CalcEngine& engine_;
    QScrollArea* scrollView_ = nullptr;
    ASCIIViewController* asciiViewController_ = nullptr;
    OneShotTimer createTimer_;
    bool isRedrawing_ = false;
    // The point scale the table was last laid out for.
    double contentScale_ = 0;
    // A finger dragging the table up or down.
    bool tracking_ = false;
    bool dragging_ = false;
    QPointF pressPosition_;
    int pressScrollValue_ = 0;
};
