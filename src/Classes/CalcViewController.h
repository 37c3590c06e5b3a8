#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "Calculator/CalcEngineDelegate.h"
#include "Calculator/CalcScreenLogic.h"
#include "Classes/PagedStrip.h"
#include "Platform/UI/Image.h"
#include "Platform/UI/OneShotTimer.h"
#include "Platform/UI/PagedScrollView.h"
#include "Platform/UI/ViewController.h"

class CalcEngine;
class CalcStore;
class DisplayViewController;
class FavouritesButtonViewController;
class FirstButtonViewController;
class SecondButtonViewController;
class UIButton;
class UIPageControlReadOnly;
class UISegmentedControl;
class UserSettings;

// The calculator's main screen and the hub between the engine and everything shown: three
// paged strips (display, favourites, keypad) with their indicators, and the Scientific /
// Programmer switch that is the navigation bar's title. It is the engine's delegate: every
// change of the accumulator is pushed to the display pages and announced to the other pages,
// and every completed step and new operator is recorded in the store. Laid out in points.
class CalcViewController : public ViewController,
                           public CalcEngineDelegate,
                           public CalcScreenSettings,
                           public PagedScrollViewDelegate {
    Q_OBJECT

public:
    static constexpr int CalcViewControllerDisplayPages = 4;
    static constexpr int CalcViewControllerFavouritesPages = 3;
    static constexpr int CalcViewControllerButtonPages = 2;
    static constexpr double CalcViewControllerFirstLazyDelay = 0.5;
    static constexpr double CalcViewControllerNextLazyDelay = 0.2;

    explicit CalcViewController(QWidget* parent = nullptr);
    CalcViewController(CalcEngine& engine, CalcStore& store, UserSettings& settings, QWidget* parent = nullptr);
    ~CalcViewController() override;

    int displayPageIndex() const;
    int favouritesPageIndex() const;
    CalcValueFormat numberViewFormatFromCalcValueType(CalcValueType type, int displayPage) const;
    CalcValueFormatStyle currentCalcValueFormatStyle() const;

    void showDisplayPage(int page);
    void showFavouritesPage(int page);

    void updateDisplay();
    void updateSegmentedControl();
    void segmentedControlChanged();
    void userSettingsHaveChanged();
    // One step of the delayed page creation; reschedules itself while pages remain.
    void lazyCreateUI();
    bool isLazyCreationPending() const { return lazyTimer_.isActive(); }

    void calcEngineNewOperator(CalcEngine& engine, OperatorsOperator op) override;
    void calcEngineAddHistoryStepWithCalcValue1(CalcEngine& engine, const CalcValue& value1, OperatorsOperator op,
                                                const std::optional<CalcValue>& value2,
                                                const CalcValue& result) override;
    void calcEngineAccumulatorUpdate(CalcEngine& engine) override;

    void scrollViewDidScroll(PagedScrollView& scrollView) override;
    void scrollViewDidEndDecelerating(PagedScrollView& scrollView) override;

    int32_t numDecimalPlaces() const override;
    int32_t numSigFigs() const override;
    int32_t realStyle() const override;
    void setRealStyle(int32_t realStyle) override;
    int32_t integerType() const override;

    // The display page shown: Copy and Paste of its value, and turning to its neighbour.
    void copyDisplay();
    void pasteDisplay();
    void turnDisplayPage(int step);

    DisplayViewController* displayViewController(int page) const;
    FavouritesButtonViewController* favouritesViewController(int page) const;
    FirstButtonViewController* firstButtonViewController() const;
    SecondButtonViewController* secondButtonViewController() const;
    PagedScrollView* displayScrollView() const { return displayStrip_->scrollView(); }
    PagedScrollView* favouritesScrollView() const { return favouritesStrip_->scrollView(); }
    PagedScrollView* buttonScrollView() const { return buttonStrip_->scrollView(); }
    UIPageControlReadOnly* displayPageControl() const { return displayStrip_->pageControl(); }
    UIPageControlReadOnly* favouritesPageControl() const { return favouritesStrip_->pageControl(); }
    UIPageControlReadOnly* buttonsPageControl() const { return buttonStrip_->pageControl(); }
    // The navigation bar's title view and right button; the navigation controller shows them.
    UISegmentedControl* segmentedControl() const { return segmentedControl_; }
    UIButton* historyButton() const { return historyButton_; }
    // Presents the history over the calculator with a horizontal flip.
    void buttonHistory();

    void releaseAll() override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createStrips();
    // The strips' page factories.
    QWidget* makeDisplayPage(int page, QWidget* contentView);
    QWidget* makeFavouritesPage(int page, QWidget* contentView);
    QWidget* makeButtonPage(int page, QWidget* contentView);
    std::array<PagedStrip*, 3> strips() const {
        return {displayStrip_.get(), favouritesStrip_.get(), buttonStrip_.get()};
    }
    void layoutStrips();
    // The strip that scrolls in that view, or null.
    PagedStrip* stripOf(const PagedScrollView& scrollView) const;
    // The widget of the page a strip shows, for the screen reader to move to.
    QWidget* pageShownIn(const PagedStrip& strip) const;
    void setDisplayPageControlImages();

    CalcEngine& engine_;
    CalcStore& store_;
    UserSettings& settings_;
    CalcScreenLogic logic_;

    std::unique_ptr<PagedStrip> displayStrip_;
    std::unique_ptr<PagedStrip> favouritesStrip_;
    std::unique_ptr<PagedStrip> buttonStrip_;
    // Drawn when first shown: a start on integers never needs the real style's images.
    std::vector<Image> lcdPageBaseImages_;
    std::vector<Image> lcdPageBaseDimImages_;
    std::vector<Image> lcdPageRealImages_;
    std::vector<Image> lcdPageRealDimImages_;
    UISegmentedControl* segmentedControl_ = nullptr;
    UIButton* historyButton_ = nullptr;
    OneShotTimer lazyTimer_;
    bool isRealAccumulatorShown_ = false;
};
