#pragma once

#include <QSizeF>
#include <QWidget>
#include <vector>

// The application's one window. Its root view is laid out on a phone-sized canvas in points;
// the window scales that canvas by one factor to fill itself without distortion, centred on a
// black ground, and the widgets draw at the pixel density of the screen the window is on, so
// that they stay sharp. Tab and Shift+Tab visit the controls in reading order, row by row from
// the top, leaving out what cannot be seen or is covered by a presented screen, a sheet or an
// alert.
class UIWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSizeF UIWindowCanvasSize{320, 460};

    explicit UIWindow(QWidget* parent = nullptr);

    void addSubview(QWidget* view);
    QWidget* rootView() const { return rootView_; }
    void makeKeyAndVisible();
    void setBackgroundColor(const QColor& colour);
    // The rectangle the canvas fills in this window's pixels.
    QRect canvasRect() const;
    // The controls Tab visits now, in order.
    std::vector<QWidget*> keyboardFocusOrder() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Fits the canvas to the window and sets the pixels per point of the images drawn from now on.
    void layoutRootView();

    QWidget* rootView_ = nullptr;
    bool followsScreen_ = false;
};
