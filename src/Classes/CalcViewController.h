#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "Calculator/CalcEngineDelegate.h"
#include "Calculator/CalcScreenLogic.h"
#include "Platform/UI/Image.h"
#include "Platform/UI/OneShotTimer.h"
#include "Platform/UI/PagedScrollView.h"

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
class CalcViewController : public QWidget,
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
    void loadDisplayScrollViewWithPage(int page);
    void loadFavouritesScrollViewWithPage(int page);
    void loadButtonScrollViewWithPage(int page);

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
    PagedScrollView* displayScrollView() const { return displayScrollView_; }
    PagedScrollView* favouritesScrollView() const { return favouritesScrollView_; }
    PagedScrollView* buttonScrollView() const { return buttonScrollView_; }
    UIPageControlReadOnly* displayPageControl() const { return displayPageControl_; }
    UIPageControlReadOnly* favouritesPageControl() const { return favouritesPageControl_; }
    UIPageControlReadOnly* buttonsPageControl() const { return buttonsPageControl_; }
    // The navigation bar's title view and right button; the navigation controller shows them.
    UISegmentedControl* segmentedControl() const { return segmentedControl_; }
    UIButton* historyButton() const { return historyButton_; }
    // Presents the history over the calculator with a horizontal flip.
    void buttonHistory();

    void releaseAll();
    void didReceiveMemoryWarning();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void viewDidLoad();
    void createDisplayScrollView();
    void createFavouritesScrollView();
    void createButtonScrollView();
    void layoutStrips();
    void layoutPageControl(UIPageControlReadOnly* pageControl, double top, double height);
    static void placePage(PagedScrollView* strip, QWidget* page, int index);
    void showPage(PagedScrollView* strip, UIPageControlReadOnly* pageControl, int page);
    // The widget of the page a strip shows, for the screen reader to move to.
    QWidget* pageShownIn(const PagedScrollView& scrollView) const;
    void loadImages();
    void setDisplayPageControlImages();

    CalcEngine& engine_;
    CalcStore& store_;
    UserSettings& settings_;
    CalcScreenLogic logic_;

    std::array<DisplayViewController*, CalcViewControllerDisplayPages> displayViewControllers_{};
    std::array<FavouritesButtonViewController*, CalcViewControllerFavouritesPages> favouritesViewControllers_{};
    FirstButtonViewController* firstButtonViewController_ = nullptr;
    SecondButtonViewController* secondButtonViewController_ = nullptr;
    std::vector<Image> lcdPageBaseImages_;
    std::vector<Image> lcdPageBaseDimImages_;
    std::vector<Image> lcdPageRealImages_;
    std::vector<Image> lcdPageRealDimImages_;
    PagedScrollView* displayScrollView_ = nullptr;
    PagedScrollView* favouritesScrollView_ = nullptr;
    PagedScrollView* buttonScrollView_ = nullptr;
    UIPageControlReadOnly* displayPageControl_ = nullptr;
    UIPageControlReadOnly* favouritesPageControl_ = nullptr;
    UIPageControlReadOnly* buttonsPageControl_ = nullptr;
    UISegmentedControl* segmentedControl_ = nullptr;
    UIButton* historyButton_ = nullptr;
    OneShotTimer lazyTimer_;
    bool isRealAccumulatorShown_ = false;
};
