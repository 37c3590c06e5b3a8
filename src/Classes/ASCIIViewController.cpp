#include "Classes/ASCIIViewController.h"

#include "Calculator/ASCIITableLogic.h"
#include "Calculator/CalcEngine.h"
#include "Classes/Notifications.h"
#include "Classes/UIButtonASCIITable.h"
#include "Platform/UI/PointGeometry.h"

namespace {
const QRectF kViewFrame(0, 0, ASCIIViewController::ASCIIViewControllerWidth,
                        ASCIIViewController::ASCIIViewControllerHeight);
}  // namespace

ASCIIViewController::ASCIIViewController(QWidget* parent) : ASCIIViewController(CalcEngine::sharedInstance(), parent) {}

ASCIIViewController::ASCIIViewController(CalcEngine& engine, QWidget* parent)
    : ViewController(parent), engine_(engine) {
    // No focus of its own: the keyboard drives the calculator through CalcKeyboard.
    setFocusPolicy(Qt::NoFocus);
    loadViewIfNeeded();
}

void ASCIIViewController::viewDidLoad() {
    for (std::string_view name :
         {NotificationsNotificationBaseHasChanged, NotificationsNotificationAccumulatorHasChanged}) {
        observe(name, [this](const Notification&) { notificationBaseHasChanged(); });
    }
    asciiTableButton_ = new UIButtonASCIITable(kViewFrame, this);
    layoutForPointScale();
    // A tap, not a touch-down: a finger that goes on to scroll the page enters nothing.
    connect(asciiTableButton_, &UIButton::touchUpInside, this, &ASCIIViewController::buttonASCIITableAction);
    updateASCIITable();
}

void ASCIIViewController::layoutForPointScale() {
    resize(PointGeometry::pixelRectFromPoints(kViewFrame).size());
    asciiTableButton_->setFrame(kViewFrame);
}

void ASCIIViewController::notificationBaseHasChanged() {
    updateTimer_.stop();
    if (isRedrawing_) updateTimer_.start(updateDelay_, [this] { updateTimerFired(); });
}

void ASCIIViewController::updateTimerFired() { updateASCIITable(); }

void ASCIIViewController::setIsRedrawing(bool isRedrawing) {
    isRedrawing_ = isRedrawing;
    if (!isRedrawing) {
        // Hidden, it need not follow; it is brought up to date when it is shown again.
        updateTimer_.stop();
        return;
    }
    updateASCIITable();
    recalculateAccessibility();
}

void ASCIIViewController::updateASCIITable() {
    updateTimer_.stop();
    const std::optional<int32_t> asciiValue = ASCIITableLogic::asciiValueFromCalcValue(engine_.accumulatorCalcValue());
    asciiTableButton_->setSelectedASCIIValue(asciiValue.value_or(UIButtonASCIITable::UIButtonASCIITableNoSelection));
    if (asciiTableButton_->numberBase() != engine_.numberBase()) asciiTableButton_->setNumberBase(engine_.numberBase());
    emit asciiTableUpdated();
}

void ASCIIViewController::recalculateAccessibility() { asciiTableButton_->recalculateAccessibility(); }

void ASCIIViewController::buttonASCIITableAction() {
    const int32_t asciiValue = asciiTableButton_->selectedASCIIValue();
    if (!ASCIITableLogic::isASCIIValue(asciiValue)) return;
    ASCIITableLogic::enterASCIIValue(engine_, asciiValue);
}

void ASCIIViewController::releaseAll() {
    ViewController::releaseAll();
    updateTimer_.stop();
}
