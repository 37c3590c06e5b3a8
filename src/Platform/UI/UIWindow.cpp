#include "Platform/UI/UIWindow.h"

#include <QApplication>
#include <QIcon>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "Platform/UI/ImageStore.h"
#include "Platform/UI/NavigationController.h"
#include "Platform/UI/PointScale.h"

namespace {

// A comfortable size on a desktop: half as large again as the phone, within the screen.
QSize initialWindowSize() {
    double factor = 1.5;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        factor = std::min({factor, available.height() * 0.9 / UIWindow::UIWindowCanvasSize.height(),
                           available.width() * 0.9 / UIWindow::UIWindowCanvasSize.width()});
    }
    factor = std::max(factor, 1.0);
    return (UIWindow::UIWindowCanvasSize * factor).toSize();
}

// A control Tab can reach: shown, enabled, taking the focus from Tab, not clipped out of view
// and not under something presented over it.
bool isTabStop(const QWidget* widget, const QWidget* window) {
    if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy() != nullptr) return false;
    if (!widget->isVisibleTo(window) || !widget->isEnabled() || widget->visibleRegion().isEmpty()) return false;
    return !NavigationController::isViewCovered(widget);
}

}  // namespace

UIWindow::UIWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(QIcon(ImageStore::imageNamed("quillet.png", QSizeF(256, 256)).pixmap()));
    setMinimumSize((UIWindowCanvasSize * 0.75).toSize());
    resize(initialWindowSize());
    setBackgroundColor(Qt::black);
    // The screens are built at the scale they are first shown at, so that no image is drawn
    // twice at start.
    layoutRootView();
    // The window keeps the focus itself until Tab moves it to a control: Qt would otherwise give
    // it to the first control whenever the window is activated, and Enter would press that.
    setFocus(Qt::OtherFocusReason);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == nullptr && isActiveWindow()) setFocus(Qt::OtherFocusReason);
    });
}

void UIWindow::addSubview(QWidget* view) {
    rootView_ = view;
    rootView_->setParent(this);
    layoutRootView();
    rootView_->show();
}

void UIWindow::makeKeyAndVisible() {
    show();
    activateWindow();
}

void UIWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Opened on, or moved to, a screen of another pixel ratio, the window draws its images
    // again for it.
    layoutRootView();
    if (QWindow* handle = windowHandle(); handle && !followsScreen_) {
        followsScreen_ = true;
        connect(handle, &QWindow::screenChanged, this, [this] {
            layoutRootView();
            update();
        });
    }
}

std::vector<QWidget*> UIWindow::keyboardFocusOrder() const {
    struct Stop {
        QWidget* widget;
        QRect frame;
    };
    std::vector<Stop> stops;
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (isTabStop(widget, this)) stops.push_back({widget, QRect(widget->mapTo(this, QPoint()), widget->size())});
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.frame.top() < b.frame.top(); });
    // Controls whose tops lie within a few pixels of the first of a row share the row, read left to right.
    std::vector<QWidget*> order;
    for (size_t first = 0; first < stops.size();) {
        size_t end = first;
        const int tolerance = std::max(2, stops[first].frame.height() / 3);
        while (end < stops.size() && stops[end].frame.top() - stops[first].frame.top() <= tolerance) ++end;
        std::stable_sort(stops.begin() + static_cast<std::ptrdiff_t>(first),
                         stops.begin() + static_cast<std::ptrdiff_t>(end),
                         [](const Stop& a, const Stop& b) { return a.frame.left() < b.frame.left(); });
        for (size_t index = first; index < end; ++index) order.push_back(stops[index].widget);
        first = end;
    }
    return order;
}

bool UIWindow::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> order = keyboardFocusOrder();
    if (order.empty()) return false;
    QWidget* focus = focusWidget();
    while (focus != nullptr && focus != this && std::find(order.begin(), order.end(), focus) == order.end()) {
        focus = focus->parentWidget();
    }
    const auto found = std::find(order.begin(), order.end(), focus);
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t index = 0;
    if (found == order.end()) {
        index = next ? 0 : count - 1;
    } else {
        index = ((found - order.begin()) + (next ? 1 : -1) + count) % count;
    }
    order[static_cast<size_t>(index)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void UIWindow::setBackgroundColor(const QColor& colour) {
    QPalette ground = palette();
    ground.setColor(QPalette::Window, colour);
    setPalette(ground);
    setAutoFillBackground(true);
}

QRect UIWindow::canvasRect() const {
    const double factor = std::min(width() / UIWindowCanvasSize.width(), height() / UIWindowCanvasSize.height());
    const QSize canvas = (UIWindowCanvasSize * factor).toSize();
    return QRect(QPoint((width() - canvas.width()) / 2, (height() - canvas.height()) / 2), canvas);
}

void UIWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutRootView();
}

void UIWindow::layoutRootView() {
    const QRect canvas = canvasRect();
    const double factor = canvas.width() / UIWindowCanvasSize.width();
    if (factor <= 0) return;
    const qreal pixelsPerPoint = ImageStore::currentScale();
    PointScale::setFactor(factor);
    ImageStore::setDevicePixelRatio(devicePixelRatioF());
    // The images of the old density are not drawn again; the widgets ask for new ones.
    if (ImageStore::currentScale() != pixelsPerPoint) ImageStore::clearCache();
    if (rootView_) rootView_->setGeometry(canvas);
}
