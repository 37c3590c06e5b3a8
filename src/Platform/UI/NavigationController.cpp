#include "Platform/UI/NavigationController.h"

#include <QPainter>
#include <QResizeEvent>

#include "Platform/UI/PointGeometry.h"

// The bar itself: a glossy strip in the tint colour with a hairline at its foot.
class NavigationController::NavigationBar : public QWidget {
public:
    explicit NavigationBar(QWidget* parent) : QWidget(parent) {}
    QColor tintColour = Qt::black;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRectF bounds = rect();
        QLinearGradient gloss(bounds.topLeft(), bounds.bottomLeft());
        gloss.setColorAt(0.0, QColor(62, 62, 62));
        gloss.setColorAt(0.5, QColor(26, 26, 26));
        gloss.setColorAt(0.51, QColor(10, 10, 10));
        gloss.setColorAt(1.0, tintColour);
        painter.fillRect(bounds, gloss);
        painter.setPen(QPen(QColor(90, 90, 90), 1));
        painter.drawLine(bounds.topLeft(), bounds.topRight());
        painter.setPen(QPen(QColor(0, 0, 0), 1));
        painter.drawLine(bounds.bottomLeft() - QPointF(0, 0.5), bounds.bottomRight() - QPointF(0, 0.5));
    }
};

NavigationController::NavigationController(QWidget* rootViewController, QWidget* parent)
    : QWidget(parent), rootViewController_(rootViewController), navigationBar_(new NavigationBar(this)) {
    rootViewController_->setParent(this);
}

QWidget* NavigationController::navigationBar() const { return navigationBar_; }

void NavigationController::setTitleView(QWidget* titleView) {
    titleView_ = titleView;
    titleView_->setParent(navigationBar_);
    titleView_->show();
}

void NavigationController::setRightBarButtonItem(QWidget* button) {
    rightBarButtonItem_ = button;
    rightBarButtonItem_->setParent(navigationBar_);
    rightBarButtonItem_->show();
}

void NavigationController::setTintColor(const QColor& colour) {
    navigationBar_->tintColour = colour;
    navigationBar_->update();
}

void NavigationController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const auto pixels = [](double x, double y, double w, double h) {
        return PointGeometry::pixelRectFromPoints(x, y, w, h);
    };
    const double width = PointScale::pointsFromPixels(this->width());
    const double height = PointScale::pointsFromPixels(this->height());
    navigationBar_->setGeometry(pixels(0, 0, width, NavigationControllerBarHeight));
    if (titleView_) titleView_->setGeometry(pixels((width - 200) / 2, 7, 200, 30));
    if (rightBarButtonItem_) rightBarButtonItem_->setGeometry(pixels(width - 46, 7, 40, 30));
    rootViewController_->setGeometry(
        pixels(0, NavigationControllerBarHeight, width, height - NavigationControllerBarHeight));
}
