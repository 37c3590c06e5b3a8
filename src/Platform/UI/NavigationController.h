#pragma once

#include <QColor>
#include <QWidget>

// A navigation bar over one root screen: the bar holds the screen's title view in its middle
// and its right bar button. Everything is laid out in points.
class NavigationController : public QWidget {
    Q_OBJECT

public:
    static constexpr double NavigationControllerBarHeight = 44.0;

    explicit NavigationController(QWidget* rootViewController, QWidget* parent = nullptr);

    QWidget* rootViewController() const { return rootViewController_; }
    QWidget* view() { return this; }
    // The bar's title view and right bar button are given by the root screen; the bar takes them.
    void setTitleView(QWidget* titleView);
    void setRightBarButtonItem(QWidget* button);
    void setTintColor(const QColor& colour);
    QWidget* navigationBar() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class NavigationBar;

    QWidget* rootViewController_;
    NavigationBar* navigationBar_;
    QWidget* titleView_ = nullptr;
    QWidget* rightBarButtonItem_ = nullptr;
};
