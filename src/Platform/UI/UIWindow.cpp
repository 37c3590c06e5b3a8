#include "Platform/UI/UIWindow.h"

#include <QGuiApplication>
#include <QIcon>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "Platform/UI/ImageStore.h"
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
