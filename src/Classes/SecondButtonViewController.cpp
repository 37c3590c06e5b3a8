#include "Classes/SecondButtonViewController.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <cmath>

#include "Calculator/CalcEngine.h"
#include "Classes/ASCIIViewController.h"
#include "Classes/UIButtonASCIITable.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointScale.h"

namespace {
// Movement, in pixels, before a press on the table becomes a drag of the scroll view.
constexpr qreal kDragThreshold = 8.0;
}  // namespace

SecondButtonViewController::SecondButtonViewController(QWidget* parent)
    : SecondButtonViewController(CalcEngine::sharedInstance(), parent) {}

SecondButtonViewController::SecondButtonViewController(CalcEngine& engine, QWidget* parent)
    : ViewController(parent), engine_(engine) {
    // No focus of its own: the keyboard drives the calculator through CalcKeyboard.
    setFocusPolicy(Qt::NoFocus);
    loadViewIfNeeded();
}

void SecondButtonViewController::viewDidLoad() {
    scrollView_ = new QScrollArea(this);
    scrollView_->setFrameShape(QFrame::NoFrame);
    // A bar would cover the table's last column; the wheel and a finger scroll it.
    scrollView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollView_->setWidgetResizable(false);
    scrollView_->setFocusPolicy(Qt::NoFocus);
    scrollView_->setAutoFillBackground(true);
    scrollView_->viewport()->setAutoFillBackground(false);
    connect(scrollView_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &SecondButtonViewController::scrollViewDidScroll);
    createTimer_.start(SecondButtonViewControllerASCIITableDelay, [this] { createASCIITable(); });
}

void SecondButtonViewController::createASCIITable() {
    createTimer_.stop();
    if (asciiViewController_) return;
    asciiViewController_ = new ASCIIViewController(engine_);
    asciiViewController_->asciiTableButton()->installEventFilter(this);
    // The scroll view owns the table's view from here on.
    scrollView_->setWidget(asciiViewController_);
    contentScale_ = PointScale::factor();
    setContentOffsetY(SecondButtonViewControllerStartOffset);
    if (isRedrawing_) asciiViewController_->setIsRedrawing(true);
}

void SecondButtonViewController::setIsRedrawing(bool isRedrawing) {
    isRedrawing_ = isRedrawing;
    // A page shown before its table was made would stay empty until then.
    if (isRedrawing && !asciiViewController_) {
        createASCIITable();
        return;
    }
    if (asciiViewController_) asciiViewController_->setIsRedrawing(isRedrawing);
}

double SecondButtonViewController::contentOffsetY() const {
    return PointScale::pointsFromPixels(scrollView_->verticalScrollBar()->value());
}

void SecondButtonViewController::setContentOffsetY(double points) {
    scrollView_->verticalScrollBar()->setValue(static_cast<int>(std::lround(PointScale::pixelsFromPoints(points))));
}

void SecondButtonViewController::scrollViewDidScroll() {
    if (!asciiViewController_) return;
    asciiViewController_->recalculateAccessibility();
    Accessibility::postNotification(AccessibilityNotification::LayoutChanged, this);
}

bool SecondButtonViewController::eventFilter(QObject* watched, QEvent* event) {
    if (!asciiViewController_ || watched != asciiViewController_->asciiTableButton()) return false;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove &&
        event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress) {
        tracking_ = mouse->button() == Qt::LeftButton;
        dragging_ = false;
        pressPosition_ = mouse->globalPosition();
        pressScrollValue_ = scrollView_->verticalScrollBar()->value();
        return false;
    }
    if (!tracking_) return false;
    const QPointF travel = mouse->globalPosition() - pressPosition_;
    if (event->type() == QEvent::MouseMove) {
        if (!dragging_) {
            // Sideways movement is the keypad strip's to take.
            if (std::abs(travel.y()) < kDragThreshold || std::abs(travel.y()) <= std::abs(travel.x())) return false;
            dragging_ = true;
            // The cell under the finger lets go without entering its code.
            asciiViewController_->asciiTableButton()->cancelTouch();
        }
        scrollView_->verticalScrollBar()->setValue(pressScrollValue_ - static_cast<int>(std::lround(travel.y())));
        return true;
    }
    if (mouse->button() != Qt::LeftButton) return dragging_;
    tracking_ = false;
    const bool wasDragging = dragging_;
    dragging_ = false;
    return wasDragging;
}

void SecondButtonViewController::releaseAll() {
    ViewController::releaseAll();
    createTimer_.stop();
    if (asciiViewController_) asciiViewController_->releaseAll();
}

void SecondButtonViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scrollView_->setGeometry(rect());
    // The ground's pattern is drawn for the scale it is shown at.
    QPalette palette = scrollView_->palette();
    palette.setBrush(QPalette::Window, ImageStore::colorWithPatternImage(ImageStore::imageNamed("backgroundCalc.png")));
    scrollView_->setPalette(palette);
    if (asciiViewController_ && contentScale_ != PointScale::factor()) {
        // The same place of the table stays in view at the new scale.
        const double offset = scrollView_->verticalScrollBar()->value() / contentScale_;
        contentScale_ = PointScale::factor();
        asciiViewController_->layoutForPointScale();
        setContentOffsetY(offset);
    }
}
