#pragma once

#include <array>
#include <string_view>

#include "Platform/UI/Image.h"
#include "Platform/UI/OneShotTimer.h"
#include "Platform/UI/ViewController.h"

class CalcEngine;
class CalcStore;
class Favourite;
class UIButtonFavourite;

// The text is the name with a lower-case first letter, as it has always been.
constexpr std::string_view FavouritesButtonViewControllerNotificationButtonHeld =
    "favouritesButtonViewControllerNotificationButtonHeld";

// One page of the favourites bar: five buttons, each an operator or a value kept in the store.
// A tap applies the favourite to the engine; a hold of half a second asks for its replacement.
// Favourite k is button k mod 5 on page k div 5.
class FavouritesButtonViewController : public ViewController {
    Q_OBJECT

public:
    static constexpr int FavouritesButtonViewControllerButtonCount = 5;
    static constexpr double FavouritesButtonViewControllerHoldSeconds = 0.5;

    explicit FavouritesButtonViewController(QWidget* parent = nullptr);
    FavouritesButtonViewController(CalcEngine& engine, CalcStore& store, QWidget* parent = nullptr);

    int pageIndex() const { return pageIndex_; }
    // Relabels the buttons from the favourites of that page.
    void setPageIndex(int pageIndex);

    void updateLabels();
    // A menu icon with its top 8 points cut off.
    static Image buttonImageFromMenuImage(const Image& menuImage);

    UIButtonFavourite* button(int position) const { return buttons_[static_cast<size_t>(position)]; }
    bool isTimerRunning() const { return buttonTimer_.isActive(); }
    void buttonTimeout();

    void releaseAll() override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buttonFNTouchDown(UIButtonFavourite* button);
    void buttonFNTouchUpInside();
    void buttonFNTouchUpOutside();
    void buttonFNTouchCancel();
    void applySelectedFavourite();
    int positionOfSelectedButton() const;
    void labelButtonFromFavourite(UIButtonFavourite* button, const Favourite* favourite);

    CalcEngine& engine_;
    CalcStore& store_;
    std::array<UIButtonFavourite*, FavouritesButtonViewControllerButtonCount> buttons_{};
    OneShotTimer buttonTimer_;
    UIButtonFavourite* selectedButton_ = nullptr;
    int pageIndex_ = 0;
};
