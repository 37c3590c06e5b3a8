#include "Classes/CalcViewController.h"

#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <functional>

#include "Calculator/CalcEngine.h"
#include "Calculator/Operators.h"
#include "Calculator/OperatorsFormat.h"
#include "Classes/CalcViewControllerMenus.h"
#include "Classes/DisplayViewController.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/FirstButtonViewController.h"
#include "Classes/Notifications.h"
#include "Classes/PagedStrip.h"
#include "Classes/SecondButtonViewController.h"
#include "Classes/UIButtonLCD.h"
#include "Classes/UIPageControlReadOnly.h"
#include "HistoryViews/HistoryViewController.h"
#include "Model/CalcStore.h"
#include "Model/UserSettings.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UISegmentedControl.h"

namespace {

constexpr const char* kLcdPageBaseImages[] = {"lcdPageBin.png", "lcdPageOct.png", "lcdPageDec.png", "lcdPageHex.png"};
constexpr const char* kLcdPageBaseDimImages[] = {"lcdPageBinTransparent.png", "lcdPageOctTransparent.png",
                                                 "lcdPageDecTransparent.png", "lcdPageHexTransparent.png"};
constexpr const char* kLcdPageRealImages[] = {"lcdPageFix.png", "lcdPageEng.png", "lcdPageSci.png", "lcdPageAuto.png"};
constexpr const char* kLcdPageRealDimImages[] = {"lcdPageFixTransparent.png", "lcdPageEngTransparent.png",
                                                 "lcdPageSciTransparent.png", "lcdPageAutoTransparent.png"};

// The screen's layout in points, top to bottom, on a view 320 points wide.
constexpr PagedStrip::Band kDisplayStrip{0, 90};
constexpr PagedStrip::Band kDisplayIndicator{90, 18};
constexpr PagedStrip::Band kFavouritesStrip{108, 48};
constexpr PagedStrip::Band kFavouritesIndicator{156, 10};
constexpr PagedStrip::Band kButtonStrip{166, 238};
constexpr PagedStrip::Band kButtonsIndicator{404, 12};

std::vector<Image> imagesNamed(const char* const (&names)[4]) {
    std::vector<Image> images;
    for (const char* name : names) images.push_back(ImageStore::imageNamed(name));
    return images;
}

}  // namespace

CalcViewController::CalcViewController(QWidget* parent)
    : CalcViewController(CalcEngine::sharedInstance(), CalcStore::sharedInstance(), UserSettings::sharedInstance(),
                         parent) {}

CalcViewController::CalcViewController(CalcEngine& engine, CalcStore& store, UserSettings& settings, QWidget* parent)
    : ViewController(parent), engine_(engine), store_(store), settings_(settings), logic_(engine, *this) {
    // No focus of its own: the keyboard drives the calculator through CalcKeyboard.
    setFocusPolicy(Qt::NoFocus);
    loadViewIfNeeded();
}

CalcViewController::~CalcViewController() { releaseAll(); }

void CalcViewController::viewDidLoad() {
    Operators& operators = Operators::sharedInstance();
    operators.setAngleType(settings_.angleType());
    operators.setWordSize(settings_.wordSize());
    engine_.setDelegate(this);
    createStrips();

    historyButton_ = new UIButton(this);
    historyButton_->setImage(ImageStore::imageNamed("navigationBarHistory.png"));
    Accessibility::setLabel(historyButton_, Localized::string("History"));
    connect(historyButton_, &QAbstractButton::clicked, this, &CalcViewController::buttonHistory);

    observe(UserSettingsNotificationUserSettingsHaveChanged,
            [this](const Notification&) { userSettingsHaveChanged(); });
    new CalcViewControllerMenus(*this, engine_, store_, settings_);

    segmentedControl_ = new UISegmentedControl(this);
    connect(segmentedControl_, &UISegmentedControl::valueChanged, this, &CalcViewController::segmentedControlChanged);

    logic_.setDisplayPage(logic_.startingDisplayPage());
    showDisplayPage(logic_.displayPage());
    logic_.setCurrentCalcValueType(engine_.accumulatorCalcValue().type());

    displayPageControl()->setImageGap(6);
    favouritesPageControl()->setPageColourWithRed(0.56f, 0.43f, 0.24f, 1.0f);
    buttonsPageControl()->setPageColourWithRed(0.56f, 0.43f, 0.24f, 1.0f);
    favouritesPageControl()->setPageTitles({"Favourites", "Favourites", "Favourites"});
    buttonsPageControl()->setPageTitles({"Keypad", "ASCII table"});

    updateDisplay();
    showFavouritesPage(std::clamp(settings_.favouritesPageIndex(), 0, CalcViewControllerFavouritesPages - 1));
    segmentedControl_->setTintColor(QColor::fromRgbF(0.3137255f, 0.3137255f, 0.3137255f, 1.0f));
    layoutStrips();

    NotificationCenter::defaultCenter().post(NotificationsNotificationAccumulatorHasChanged, &engine_);
    lazyTimer_.start(CalcViewControllerFirstLazyDelay, [this] { lazyCreateUI(); });
}

void CalcViewController::createStrips() {
    displayStrip_ = std::make_unique<PagedStrip>(this, CalcViewControllerDisplayPages, kDisplayStrip, kDisplayIndicator,
                                                 std::bind_front(&CalcViewController::makeDisplayPage, this));
    favouritesStrip_ =
        std::make_unique<PagedStrip>(this, CalcViewControllerFavouritesPages, kFavouritesStrip, kFavouritesIndicator,
                                     std::bind_front(&CalcViewController::makeFavouritesPage, this));
    buttonStrip_ = std::make_unique<PagedStrip>(this, CalcViewControllerButtonPages, kButtonStrip, kButtonsIndicator,
                                                std::bind_front(&CalcViewController::makeButtonPage, this));
    // The three strips come first, then their indicators, for the screen reader too.
    for (PagedStrip* strip : strips()) strip->pageControl()->raise();
    layoutStrips();
    for (PagedStrip* strip : strips()) strip->scrollView()->setDelegate(this);
    buttonStrip_->loadPage(0);
    buttonStrip_->loadPage(1);
}

QWidget* CalcViewController::makeDisplayPage(int, QWidget* contentView) {
    auto* display = new DisplayViewController(engine_, contentView);
    // A page made after the last accumulator change shows the pending operator all the same.
    display->button()->setCurrOperator(engine_.currOperator());
    return display;
}

QWidget* CalcViewController::makeFavouritesPage(int page, QWidget* contentView) {
    auto* bar = new FavouritesButtonViewController(engine_, store_, contentView);
    bar->setPageIndex(page);
    return bar;
}

QWidget* CalcViewController::makeButtonPage(int page, QWidget* contentView) {
    if (page == 0) return new FirstButtonViewController(engine_, settings_, contentView);
    return new SecondButtonViewController(engine_, contentView);
}

int CalcViewController::displayPageIndex() const { return displayStrip_->pageIndex(); }

int CalcViewController::favouritesPageIndex() const { return favouritesStrip_->pageIndex(); }

CalcValueFormat CalcViewController::numberViewFormatFromCalcValueType(CalcValueType type, int displayPage) const {
    return logic_.numberViewFormatFromCalcValueType(type, displayPage);
}

CalcValueFormatStyle CalcViewController::currentCalcValueFormatStyle() const {
    return logic_.currentCalcValueFormatStyle();
}

void CalcViewController::showDisplayPage(int page) {
    displayStrip_->showPage(page);
    logic_.setDisplayPage(page);
}

void CalcViewController::showFavouritesPage(int page) { favouritesStrip_->showPage(page); }

void CalcViewController::updateDisplay() {
    const CalcValue& value = engine_.accumulatorCalcValue();
    const OperatorsError error = engine_.currError();
    const int wordSize = Operators::sharedInstance().wordSize();
    for (int page = 0; page < CalcViewControllerDisplayPages; ++page) {
        DisplayViewController* display = displayViewController(page);
        if (!display) continue;
        if (error != OperatorsErrorNone) {
            display->updateWithError(error);
            continue;
        }
        const CalcValueFormat format = logic_.numberViewFormatFromCalcValueType(value.type(), page);
        if (engine_.isEnteringValue()) {
            display->updateWithEditingCalcValue(value, format, engine_.decimalPointDivider(), engine_.hasExponent(),
                                                engine_.exponent());
        } else {
            display->updateWithCalcValue(value, format);
        }
        display->updateWithWordSize(wordSize, value.type());
    }
    // The indicator's images change only with the kind of value; setting them on every key
    // would rebuild its image views for nothing.
    const bool isReal = value.type() == CalcValueTypeReal;
    if (isReal != isRealAccumulatorShown_ || !displayPageControl()->hasImages()) {
        isRealAccumulatorShown_ = isReal;
        setDisplayPageControlImages();
    }
    updateSegmentedControl();
}

void CalcViewController::setDisplayPageControlImages() {
    if (isRealAccumulatorShown_ && lcdPageRealImages_.empty()) {
        lcdPageRealImages_ = imagesNamed(kLcdPageRealImages);
        lcdPageRealDimImages_ = imagesNamed(kLcdPageRealDimImages);
    } else if (!isRealAccumulatorShown_ && lcdPageBaseImages_.empty()) {
        lcdPageBaseImages_ = imagesNamed(kLcdPageBaseImages);
        lcdPageBaseDimImages_ = imagesNamed(kLcdPageBaseDimImages);
    }
    if (isRealAccumulatorShown_) {
        displayPageControl()->setImages(lcdPageRealImages_, lcdPageRealDimImages_);
        displayPageControl()->setPageTitles({"Fixed", "Engineering", "Scientific", "Automatic"});
    } else {
        displayPageControl()->setImages(lcdPageBaseImages_, lcdPageBaseDimImages_);
        displayPageControl()->setPageTitles({"Binary", "Octal", "Decimal", "Hexadecimal"});
    }
    displayStrip_->layoutPageControl();
}

void CalcViewController::updateSegmentedControl() {
    // What the screen sets is no choice of the user's.
    const QSignalBlocker blocker(segmentedControl_);
    if (engine_.accumulatorCalcValue().type() == CalcValueTypeReal) {
        segmentedControl_->setSelectedSegmentIndex(0);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("● Scientific")), 0);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("  Programmer")), 1);
    } else {
        segmentedControl_->setSelectedSegmentIndex(1);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("  Scientific")), 0);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("● Programmer")), 1);
    }
}

void CalcViewController::segmentedControlChanged() {
    const bool isReal = engine_.accumulatorCalcValue().type() == CalcValueTypeReal;
    if (segmentedControl_->selectedSegmentIndex() == 0) {
        if (!isReal) engine_.enterOperator(OperatorsOperatorToReal);
    } else if (isReal) {
        engine_.enterOperator(settings_.integerType() == 0 ? OperatorsOperatorToUBase : OperatorsOperatorToSBase);
    }
}

void CalcViewController::calcEngineAccumulatorUpdate(CalcEngine&) {
    const bool typeChanged = logic_.accumulatorUpdate(Operators::sharedInstance().wordSize());
    updateDisplay();
    if (typeChanged) showDisplayPage(logic_.displayPage());
    NotificationCenter::defaultCenter().post(NotificationsNotificationAccumulatorHasChanged, this);
}

void CalcViewController::calcEngineNewOperator(CalcEngine&, OperatorsOperator op) {
    store_.addQuickOperatorWithOperator(op);
}

void CalcViewController::buttonHistory() {
    NavigationController* stack = NavigationController::navigationControllerOf(this);
    if (!stack) return;
    auto* history = new HistoryViewController(store_, engine_);
    history->setTitle(QString::fromStdString(Localized::string("History")));
    stack->presentModalViewController(new NavigationController(history), true, ModalTransitionStyle::FlipHorizontal);
}

void CalcViewController::calcEngineAddHistoryStepWithCalcValue1(CalcEngine&, const CalcValue& value1,
                                                                OperatorsOperator op,
                                                                const std::optional<CalcValue>& value2,
                                                                const CalcValue& result) {
    if (CalcEngine::operatorIsNoneOrEquals(op)) return;
    store_.addHistoryStepWithCalcValue1(value1, op, value2, result, currentCalcValueFormatStyle());
    store_.saveChanges();
}

void CalcViewController::userSettingsHaveChanged() {
    // Every setting is announced, the favourites page among them: only a new word size touches
    // the accumulator.
    logic_.userSettingsHaveChanged(settings_.wordSize());
    updateDisplay();
}

void CalcViewController::lazyCreateUI() {
    if (displayStrip_->loadFirstMissingPage()) {
        updateDisplay();
    } else if (!favouritesStrip_->loadFirstMissingPage()) {
        return;
    }
    lazyTimer_.start(CalcViewControllerNextLazyDelay, [this] { lazyCreateUI(); });
}

void CalcViewController::scrollViewDidScroll(PagedScrollView& scrollView) {
    PagedStrip* strip = stripOf(scrollView);
    if (!strip) return;
    if (strip == buttonStrip_.get()) favouritesPageControl()->setHidden(true);
    strip->pageControl()->setCurrentPage(strip->pageIndex());
    // The pages coming into view are made now if the delayed creation has not reached them
    // yet, so that a quick swipe never shows an empty page.
    if (strip->loadPagesInView() && strip == displayStrip_.get()) updateDisplay();
}

void CalcViewController::scrollViewDidEndDecelerating(PagedScrollView& scrollView) {
    PagedStrip* strip = stripOf(scrollView);
    if (!strip) return;
    if (strip == buttonStrip_.get()) {
        const bool onFirstPage = buttonsPageControl()->currentPage() == 0;
        if (onFirstPage) favouritesPageControl()->setHidden(false);
        if (SecondButtonViewController* second = secondButtonViewController()) second->setIsRedrawing(!onFirstPage);
    } else if (strip == displayStrip_.get()) {
        const int page = std::clamp(displayPageIndex(), 0, CalcViewControllerDisplayPages - 1);
        logic_.displayPageCameToRest(page);
        NotificationCenter::defaultCenter().post(NotificationsNotificationBaseHasChanged, this);
    } else {
        settings_.setFavouritesPageIndex(std::clamp(favouritesPageIndex(), 0, CalcViewControllerFavouritesPages - 1));
    }
    Accessibility::postNotification(AccessibilityNotification::ScreenChanged, pageShownIn(*strip));
}

PagedStrip* CalcViewController::stripOf(const PagedScrollView& scrollView) const {
    for (PagedStrip* strip : strips()) {
        if (strip->scrollView() == &scrollView) return strip;
    }
    return nullptr;
}

QWidget* CalcViewController::pageShownIn(const PagedStrip& strip) const {
    QWidget* page = strip.page(strip.scrollView()->currentPage());
    // The LCD is a display page's one accessibility element.
    if (auto* display = qobject_cast<DisplayViewController*>(page)) return display->button();
    return page;
}

int32_t CalcViewController::numDecimalPlaces() const { return settings_.numDecimalPlaces(); }
int32_t CalcViewController::numSigFigs() const { return settings_.numSigFigs(); }
int32_t CalcViewController::realStyle() const { return settings_.realStyle(); }
void CalcViewController::setRealStyle(int32_t realStyle) { settings_.setRealStyle(realStyle); }
int32_t CalcViewController::integerType() const { return settings_.integerType(); }

DisplayViewController* CalcViewController::displayViewController(int page) const {
    return qobject_cast<DisplayViewController*>(displayStrip_->page(page));
}

FavouritesButtonViewController* CalcViewController::favouritesViewController(int page) const {
    return qobject_cast<FavouritesButtonViewController*>(favouritesStrip_->page(page));
}

FirstButtonViewController* CalcViewController::firstButtonViewController() const {
    return qobject_cast<FirstButtonViewController*>(buttonStrip_->page(0));
}

SecondButtonViewController* CalcViewController::secondButtonViewController() const {
    return qobject_cast<SecondButtonViewController*>(buttonStrip_->page(1));
}

void CalcViewController::copyDisplay() {
    if (DisplayViewController* display = displayViewController(logic_.displayPage())) display->copy();
}

void CalcViewController::pasteDisplay() {
    DisplayViewController* display = displayViewController(logic_.displayPage());
    if (display && display->canPerformAction(EditMenuAction::Paste)) display->paste();
}

void CalcViewController::turnDisplayPage(int step) {
    // From the page the strip is heading to, so that two quick steps turn two pages.
    const int page = displayScrollView()->targetPage() + step;
    if (page < 0 || page >= CalcViewControllerDisplayPages) return;
    displayStrip_->loadPage(page);
    updateDisplay();
    displayScrollView()->scrollToPage(page, true);
}

void CalcViewController::releaseAll() {
    ViewController::releaseAll();
    lazyTimer_.stop();
    if (engine_.delegate() == this) engine_.setDelegate(nullptr);
    for (PagedStrip* strip : strips()) {
        if (strip) strip->scrollView()->setDelegate(nullptr);
    }
}

void CalcViewController::layoutStrips() {
    for (PagedStrip* strip : strips()) strip->layout();
}

void CalcViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutStrips();
}

void CalcViewController::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The favourites bar runs down to the keypad, its indicator on it; the keypad's indicator
    // sits on the keypad's own ground.
    const double width = PointScale::pointsFromPixels(this->width());
    const QRect favouritesBar =
        PointGeometry::pixelRectFromPoints(0, kFavouritesStrip.top, width, kButtonStrip.top - kFavouritesStrip.top);
    const QRect keypadFoot = PointGeometry::pixelRectFromPoints(
        0, kButtonStrip.top, width, kButtonsIndicator.top + kButtonsIndicator.height - kButtonStrip.top);
    const Image favouritesGround = ImageStore::imageNamed("favouritesBarBackground.png");
    const Image keypadGround = ImageStore::imageNamed("backgroundCalc.png");
    // The LCD's ground lies under everything else; where an opaque ground covers it, it is not
    // drawn at all.
    QRegion lcdGround(rect());
    if (!favouritesGround.pixmap().hasAlphaChannel()) lcdGround -= favouritesBar;
    if (!keypadGround.pixmap().hasAlphaChannel()) lcdGround -= keypadFoot;
    const QBrush lcdBrush = ImageStore::colorWithPatternImage(ImageStore::imageNamed("lcdBackground.png"));
    for (const QRect& part : lcdGround) painter.fillRect(part, lcdBrush);
    painter.setBrushOrigin(favouritesBar.topLeft());
    painter.fillRect(favouritesBar, ImageStore::colorWithPatternImage(favouritesGround));
    painter.setBrushOrigin(keypadFoot.topLeft());
    painter.fillRect(keypadFoot, ImageStore::colorWithPatternImage(keypadGround));
}
