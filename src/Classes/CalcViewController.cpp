#include "Classes/CalcViewController.h"

#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "Calculator/CalcEngine.h"
#include "Calculator/Operators.h"
#include "Calculator/OperatorsFormat.h"
#include "Classes/DisplayViewController.h"
#include "Classes/FavouritesButtonViewController.h"
#include "Classes/FirstButtonViewController.h"
#include "Classes/Notifications.h"
#include "Classes/SecondButtonViewController.h"
#include "Classes/UIButtonLCD.h"
#include "Classes/UIPageControlReadOnly.h"
#include "Model/CalcStore.h"
#include "Model/UserSettings.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/Log.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UISegmentedControl.h"

namespace {

constexpr const char* kSource = "Classes/CalcViewController";

constexpr const char* kLcdPageBaseImages[] = {"lcdPageBin.png", "lcdPageOct.png", "lcdPageDec.png", "lcdPageHex.png"};
constexpr const char* kLcdPageBaseDimImages[] = {"lcdPageBinTransparent.png", "lcdPageOctTransparent.png",
                                                 "lcdPageDecTransparent.png", "lcdPageHexTransparent.png"};
constexpr const char* kLcdPageRealImages[] = {"lcdPageFix.png", "lcdPageEng.png", "lcdPageSci.png", "lcdPageAuto.png"};
constexpr const char* kLcdPageRealDimImages[] = {"lcdPageFixTransparent.png", "lcdPageEngTransparent.png",
                                                 "lcdPageSciTransparent.png", "lcdPageAutoTransparent.png"};

// The screen's layout in points, top to bottom, on a view 320 points wide.
struct Band {
    double top;
    double height;
};
constexpr Band kDisplayStrip{0, 90};
constexpr Band kDisplayIndicator{90, 18};
constexpr Band kFavouritesStrip{108, 48};
constexpr Band kFavouritesIndicator{156, 10};
constexpr Band kButtonStrip{166, 238};
constexpr Band kButtonsIndicator{404, 12};

// True only while the screen itself sets the segmented control.
bool segmentedControlForceUpdate = false;

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
    : QWidget(parent), engine_(engine), store_(store), settings_(settings), logic_(engine, *this) {
    viewDidLoad();
}

CalcViewController::~CalcViewController() { releaseAll(); }

void CalcViewController::viewDidLoad() {
    Operators& operators = Operators::sharedInstance();
    operators.setAngleType(settings_.angleType());
    operators.setWordSize(settings_.wordSize());
    engine_.setDelegate(this);
    loadImages();

    displayScrollView_ = new PagedScrollView(this);
    favouritesScrollView_ = new PagedScrollView(this);
    buttonScrollView_ = new PagedScrollView(this);
    displayPageControl_ = new UIPageControlReadOnly(this);
    favouritesPageControl_ = new UIPageControlReadOnly(this);
    buttonsPageControl_ = new UIPageControlReadOnly(this);
    layoutStrips();
    createDisplayScrollView();
    createFavouritesScrollView();
    createButtonScrollView();

    historyButton_ = new UIButton(this);
    historyButton_->setImage(ImageStore::imageNamed("navigationBarHistory.png"));
    Accessibility::setLabel(historyButton_, Localized::string("History"));
    // The history screen arrives with its own issue; until then the button cannot be used.
    historyButton_->setEnabled(false);

    NotificationCenter::defaultCenter().addObserver(this, UserSettingsNotificationUserSettingsHaveChanged,
                                                    [this](const Notification&) { userSettingsHaveChanged(); });

    segmentedControl_ = new UISegmentedControl(this);
    connect(segmentedControl_, &UISegmentedControl::valueChanged, this, &CalcViewController::segmentedControlChanged);

    logic_.setDisplayPage(logic_.startingDisplayPage());
    showDisplayPage(logic_.displayPage());
    logic_.setCurrentCalcValueType(engine_.accumulatorCalcValue().type());

    displayPageControl_->setImageGap(6);
    favouritesPageControl_->setNumberOfPages(CalcViewControllerFavouritesPages);
    favouritesPageControl_->setPageColourWithRed(0.56f, 0.43f, 0.24f, 1.0f);
    buttonsPageControl_->setNumberOfPages(CalcViewControllerButtonPages);
    buttonsPageControl_->setPageColourWithRed(0.56f, 0.43f, 0.24f, 1.0f);
    favouritesPageControl_->setPageTitles({"Favourites", "Favourites", "Favourites"});
    buttonsPageControl_->setPageTitles({"Keypad", "ASCII table"});

    updateDisplay();
    showFavouritesPage(std::clamp(settings_.favouritesPageIndex(), 0, CalcViewControllerFavouritesPages - 1));
    segmentedControl_->setTintColor(QColor::fromRgbF(0.3137255f, 0.3137255f, 0.3137255f, 1.0f));
    layoutStrips();

    NotificationCenter::defaultCenter().post(NotificationsNotificationAccumulatorHasChanged, &engine_);
    lazyTimer_.start(CalcViewControllerFirstLazyDelay, [this] { lazyCreateUI(); });
}

void CalcViewController::loadImages() {
    // Drawn when first shown: a start on integers never needs the real style's images.
    lcdPageBaseImages_.clear();
    lcdPageBaseDimImages_.clear();
    lcdPageRealImages_.clear();
    lcdPageRealDimImages_.clear();
}

void CalcViewController::createDisplayScrollView() {
    displayViewControllers_.fill(nullptr);
    displayScrollView_->setPagingEnabled(true);
    displayScrollView_->setContentSize(
        QSize(CalcViewControllerDisplayPages * displayScrollView_->width(), displayScrollView_->height()));
    displayScrollView_->setDelegate(this);
}

void CalcViewController::createFavouritesScrollView() {
    favouritesViewControllers_.fill(nullptr);
    favouritesScrollView_->setPagingEnabled(true);
    favouritesScrollView_->setContentSize(
        QSize(CalcViewControllerFavouritesPages * favouritesScrollView_->width(), favouritesScrollView_->height()));
    favouritesScrollView_->setDelegate(this);
}

void CalcViewController::createButtonScrollView() {
    firstButtonViewController_ = nullptr;
    secondButtonViewController_ = nullptr;
    buttonScrollView_->setPagingEnabled(true);
    buttonScrollView_->setContentSize(
        QSize(CalcViewControllerButtonPages * buttonScrollView_->width(), buttonScrollView_->height()));
    buttonScrollView_->setDelegate(this);
    buttonsPageControl_->setNumberOfPages(CalcViewControllerButtonPages);
    buttonsPageControl_->setCurrentPage(0);
    loadButtonScrollViewWithPage(0);
    loadButtonScrollViewWithPage(1);
}

int CalcViewController::displayPageIndex() const {
    return CalcScreenLogic::pageIndexFromOffset(displayScrollView_->contentOffset().x(), displayScrollView_->width());
}

int CalcViewController::favouritesPageIndex() const {
    return CalcScreenLogic::pageIndexFromOffset(favouritesScrollView_->contentOffset().x(),
                                                favouritesScrollView_->width());
}

CalcValueFormat CalcViewController::numberViewFormatFromCalcValueType(CalcValueType type, int displayPage) const {
    return logic_.numberViewFormatFromCalcValueType(type, displayPage);
}

CalcValueFormatStyle CalcViewController::currentCalcValueFormatStyle() const {
    return logic_.currentCalcValueFormatStyle();
}

void CalcViewController::placePage(PagedScrollView* strip, QWidget* page, int index) {
    page->setGeometry(index * strip->width(), 0, strip->width(), strip->height());
    page->show();
}

void CalcViewController::showPage(PagedScrollView* strip, UIPageControlReadOnly* pageControl, int page) {
    strip->scrollRectToVisible(QRect(page * strip->width(), 0, strip->width(), strip->height()));
    pageControl->setCurrentPage(page);
}

void CalcViewController::showDisplayPage(int page) {
    loadDisplayScrollViewWithPage(page);
    showPage(displayScrollView_, displayPageControl_, page);
    logic_.setDisplayPage(page);
}

void CalcViewController::showFavouritesPage(int page) {
    loadFavouritesScrollViewWithPage(page);
    showPage(favouritesScrollView_, favouritesPageControl_, page);
}

void CalcViewController::loadDisplayScrollViewWithPage(int page) {
    if (page < 0 || page >= CalcViewControllerDisplayPages) return;
    DisplayViewController*& slot = displayViewControllers_[static_cast<size_t>(page)];
    if (slot) return;
    slot = new DisplayViewController(engine_, displayScrollView_->contentView());
    // A page made after the last accumulator change shows the pending operator all the same.
    slot->button()->setCurrOperator(engine_.currOperator());
    placePage(displayScrollView_, slot, page);
}

void CalcViewController::loadFavouritesScrollViewWithPage(int page) {
    if (page < 0 || page >= CalcViewControllerFavouritesPages) return;
    FavouritesButtonViewController*& slot = favouritesViewControllers_[static_cast<size_t>(page)];
    if (slot) return;
    slot = new FavouritesButtonViewController(engine_, store_, favouritesScrollView_->contentView());
    slot->setPageIndex(page);
    placePage(favouritesScrollView_, slot, page);
}

void CalcViewController::loadButtonScrollViewWithPage(int page) {
    if (page == 0 && !firstButtonViewController_) {
        firstButtonViewController_ =
            new FirstButtonViewController(engine_, settings_, buttonScrollView_->contentView());
        placePage(buttonScrollView_, firstButtonViewController_, 0);
    } else if (page == 1 && !secondButtonViewController_) {
        secondButtonViewController_ = new SecondButtonViewController(engine_, buttonScrollView_->contentView());
        placePage(buttonScrollView_, secondButtonViewController_, 1);
    }
}

void CalcViewController::updateDisplay() {
    const CalcValue& value = engine_.accumulatorCalcValue();
    const OperatorsError error = engine_.currError();
    const int wordSize = Operators::sharedInstance().wordSize();
    for (int page = 0; page < CalcViewControllerDisplayPages; ++page) {
        DisplayViewController* display = displayViewControllers_[static_cast<size_t>(page)];
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
    if (isReal != isRealAccumulatorShown_ || !displayPageControl_->hasImages()) {
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
        displayPageControl_->setImages(lcdPageRealImages_, lcdPageRealDimImages_);
        displayPageControl_->setPageTitles({"Fixed", "Engineering", "Scientific", "Automatic"});
    } else {
        displayPageControl_->setImages(lcdPageBaseImages_, lcdPageBaseDimImages_);
        displayPageControl_->setPageTitles({"Binary", "Octal", "Decimal", "Hexadecimal"});
    }
    layoutPageControl(displayPageControl_, kDisplayIndicator.top, kDisplayIndicator.height);
}

void CalcViewController::updateSegmentedControl() {
    segmentedControlForceUpdate = true;
    if (engine_.accumulatorCalcValue().type() == CalcValueTypeReal) {
        segmentedControl_->setSelectedSegmentIndex(0);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("● Scientific")), 0);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("  Programmer")), 1);
    } else {
        segmentedControl_->setSelectedSegmentIndex(1);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("  Scientific")), 0);
        segmentedControl_->setTitleForSegmentAtIndex(QString::fromStdString(Localized::string("● Programmer")), 1);
    }
    segmentedControlForceUpdate = false;
}

void CalcViewController::segmentedControlChanged() {
    if (segmentedControlForceUpdate) return;
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

void CalcViewController::calcEngineAddHistoryStepWithCalcValue1(CalcEngine&, const CalcValue& value1,
                                                                OperatorsOperator op,
                                                                const std::optional<CalcValue>& value2,
                                                                const CalcValue& result) {
    if (CalcEngine::operatorIsNoneOrEquals(op)) return;
    store_.addHistoryStepWithCalcValue1(value1, op, value2, result, currentCalcValueFormatStyle());
    store_.saveChanges();
}

void CalcViewController::userSettingsHaveChanged() {
    Operators& operators = Operators::sharedInstance();
    const int wordSize = settings_.wordSize();
    // Every setting is announced, the favourites page among them: only a new word size touches
    // the accumulator, and it is masked in place, so that the number being typed and the
    // operator waiting for it stay as they are.
    if (wordSize != operators.wordSize()) {
        operators.setWordSize(wordSize);
        const CalcValue& value = engine_.accumulatorCalcValue();
        if (value.isInteger()) {
            if (const std::optional<CalcValue> masked = value.calcValueAsType(value.type(), wordSize)) {
                engine_.setAccumulatorCalcValue(*masked);
            }
        }
    }
    updateDisplay();
}

void CalcViewController::lazyCreateUI() {
    for (int page = 0; page < CalcViewControllerDisplayPages; ++page) {
        if (displayViewControllers_[static_cast<size_t>(page)]) continue;
        loadDisplayScrollViewWithPage(page);
        updateDisplay();
        lazyTimer_.start(CalcViewControllerNextLazyDelay, [this] { lazyCreateUI(); });
        return;
    }
    for (int page = 0; page < CalcViewControllerFavouritesPages; ++page) {
        if (favouritesViewControllers_[static_cast<size_t>(page)]) continue;
        loadFavouritesScrollViewWithPage(page);
        lazyTimer_.start(CalcViewControllerNextLazyDelay, [this] { lazyCreateUI(); });
        return;
    }
}

void CalcViewController::scrollViewDidScroll(PagedScrollView& scrollView) {
    const int page = CalcScreenLogic::pageIndexFromOffset(scrollView.contentOffset().x(), scrollView.width());
    // The pages coming into view are made now if the delayed creation has not reached them
    // yet, so that a quick swipe never shows an empty page.
    const double width = std::max(1, scrollView.width());
    const double offset = scrollView.contentOffset().x();
    const int leftPage = static_cast<int>(std::floor(offset / width));
    const int rightPage = static_cast<int>(std::floor((offset + width - 1) / width));
    if (&scrollView == displayScrollView_) {
        displayPageControl_->setCurrentPage(page);
        bool created = false;
        for (int visible : {leftPage, rightPage}) {
            if (visible < 0 || visible >= CalcViewControllerDisplayPages || displayViewController(visible)) continue;
            loadDisplayScrollViewWithPage(visible);
            created = true;
        }
        if (created) updateDisplay();
    } else if (&scrollView == favouritesScrollView_) {
        favouritesPageControl_->setCurrentPage(page);
        loadFavouritesScrollViewWithPage(leftPage);
        loadFavouritesScrollViewWithPage(rightPage);
    } else if (&scrollView == buttonScrollView_) {
        favouritesPageControl_->setHidden(true);
        buttonsPageControl_->setCurrentPage(page);
        loadButtonScrollViewWithPage(page - 1);
        loadButtonScrollViewWithPage(page);
        loadButtonScrollViewWithPage(page + 1);
    }
}

void CalcViewController::scrollViewDidEndDecelerating(PagedScrollView& scrollView) {
    if (&scrollView == buttonScrollView_) {
        const bool onFirstPage = buttonsPageControl_->currentPage() == 0;
        if (onFirstPage) favouritesPageControl_->setHidden(false);
        if (secondButtonViewController_) secondButtonViewController_->setIsRedrawing(!onFirstPage);
    } else if (&scrollView == displayScrollView_) {
        const int page = std::clamp(displayPageIndex(), 0, CalcViewControllerDisplayPages - 1);
        logic_.displayPageCameToRest(page);
        NotificationCenter::defaultCenter().post(NotificationsNotificationBaseHasChanged, this);
    } else if (&scrollView == favouritesScrollView_) {
        settings_.setFavouritesPageIndex(std::clamp(favouritesPageIndex(), 0, CalcViewControllerFavouritesPages - 1));
    }
    Accessibility::postNotification(AccessibilityNotification::ScreenChanged, pageShownIn(scrollView));
}

QWidget* CalcViewController::pageShownIn(const PagedScrollView& scrollView) const {
    const int page = scrollView.currentPage();
    if (&scrollView == displayScrollView_) {
        // The LCD is the page's one accessibility element.
        DisplayViewController* display = displayViewController(page);
        return display ? display->button() : nullptr;
    }
    if (&scrollView == favouritesScrollView_) return favouritesViewController(page);
    if (page == 0) return firstButtonViewController_;
    return secondButtonViewController_;
}

int32_t CalcViewController::numDecimalPlaces() const { return settings_.numDecimalPlaces(); }
int32_t CalcViewController::numSigFigs() const { return settings_.numSigFigs(); }
int32_t CalcViewController::realStyle() const { return settings_.realStyle(); }
void CalcViewController::setRealStyle(int32_t realStyle) { settings_.setRealStyle(realStyle); }
int32_t CalcViewController::integerType() const { return settings_.integerType(); }

DisplayViewController* CalcViewController::displayViewController(int page) const {
    if (page < 0 || page >= CalcViewControllerDisplayPages) return nullptr;
    return displayViewControllers_[static_cast<size_t>(page)];
}

FavouritesButtonViewController* CalcViewController::favouritesViewController(int page) const {
    if (page < 0 || page >= CalcViewControllerFavouritesPages) return nullptr;
    return favouritesViewControllers_[static_cast<size_t>(page)];
}

FirstButtonViewController* CalcViewController::firstButtonViewController() const { return firstButtonViewController_; }

SecondButtonViewController* CalcViewController::secondButtonViewController() const {
    return secondButtonViewController_;
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
    const int page = displayScrollView_->targetPage() + step;
    if (page < 0 || page >= CalcViewControllerDisplayPages) return;
    loadDisplayScrollViewWithPage(page);
    updateDisplay();
    displayScrollView_->scrollToPage(page, true);
}

void CalcViewController::releaseAll() {
    NotificationCenter::defaultCenter().removeObserver(this);
    lazyTimer_.stop();
    if (engine_.delegate() == this) engine_.setDelegate(nullptr);
    for (PagedScrollView* strip : {displayScrollView_, favouritesScrollView_, buttonScrollView_}) {
        if (strip) strip->setDelegate(nullptr);
    }
}

void CalcViewController::didReceiveMemoryWarning() { Log::line("CalcViewController didReceiveMemoryWarning"); }

void CalcViewController::layoutPageControl(UIPageControlReadOnly* pageControl, double top, double height) {
    const double width = PointScale::pointsFromPixels(this->width());
    const double contentWidth = pageControl->contentWidth();
    pageControl->setGeometry(PointGeometry::pixelRectFromPoints((width - contentWidth) / 2, top, contentWidth, height));
}

void CalcViewController::layoutStrips() {
    const double width = PointScale::pointsFromPixels(this->width());
    const struct {
        PagedScrollView* strip;
        Band band;
        int pages;
    } strips[] = {{displayScrollView_, kDisplayStrip, CalcViewControllerDisplayPages},
                  {favouritesScrollView_, kFavouritesStrip, CalcViewControllerFavouritesPages},
                  {buttonScrollView_, kButtonStrip, CalcViewControllerButtonPages}};
    for (const auto& entry : strips) {
        const int page = entry.strip->targetPage();
        entry.strip->setGeometry(PointGeometry::pixelRectFromPoints(0, entry.band.top, width, entry.band.height));
        entry.strip->setContentSize(QSize(entry.pages * entry.strip->width(), entry.strip->height()));
        entry.strip->scrollRectToVisible(
            QRect(page * entry.strip->width(), 0, entry.strip->width(), entry.strip->height()));
    }
    for (int page = 0; page < CalcViewControllerDisplayPages; ++page) {
        if (QWidget* view = displayViewControllers_[static_cast<size_t>(page)])
            placePage(displayScrollView_, view, page);
    }
    for (int page = 0; page < CalcViewControllerFavouritesPages; ++page) {
        if (QWidget* view = favouritesViewControllers_[static_cast<size_t>(page)]) {
            placePage(favouritesScrollView_, view, page);
        }
    }
    if (firstButtonViewController_) placePage(buttonScrollView_, firstButtonViewController_, 0);
    if (secondButtonViewController_) placePage(buttonScrollView_, secondButtonViewController_, 1);
    layoutPageControl(displayPageControl_, kDisplayIndicator.top, kDisplayIndicator.height);
    layoutPageControl(favouritesPageControl_, kFavouritesIndicator.top, kFavouritesIndicator.height);
    layoutPageControl(buttonsPageControl_, kButtonsIndicator.top, kButtonsIndicator.height);
}

void CalcViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutStrips();
}

void CalcViewController::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ImageStore::colorWithPatternImage(ImageStore::imageNamed("lcdBackground.png")));
    // The favourites bar runs down to the keypad, its indicator on it; the keypad's indicator
    // sits on the keypad's own ground.
    const double width = PointScale::pointsFromPixels(this->width());
    const QRect favouritesBar =
        PointGeometry::pixelRectFromPoints(0, kFavouritesStrip.top, width, kButtonStrip.top - kFavouritesStrip.top);
    painter.setBrushOrigin(favouritesBar.topLeft());
    painter.fillRect(favouritesBar,
                     ImageStore::colorWithPatternImage(ImageStore::imageNamed("favouritesBarBackground.png")));
    const QRect keypadFoot = PointGeometry::pixelRectFromPoints(
        0, kButtonStrip.top, width, kButtonsIndicator.top + kButtonsIndicator.height - kButtonStrip.top);
    painter.setBrushOrigin(keypadFoot.topLeft());
    painter.fillRect(keypadFoot, ImageStore::colorWithPatternImage(ImageStore::imageNamed("backgroundCalc.png")));
}
