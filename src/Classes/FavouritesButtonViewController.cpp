#include "Classes/FavouritesButtonViewController.h"

#include <QResizeEvent>

#include "Calculator/CalcEngine.h"
#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Classes/Notifications.h"
#include "Classes/QuilletColours.h"
#include "Classes/UIButtonFavourite.h"
#include "Model/CalcStore.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/Core/Log.h"
#include "Platform/Core/NotificationCenter.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/PointScale.h"

namespace {

constexpr const char* kSource = "Classes/FavouritesButtonViewController";

// The favourite with that slot number; a list with a gap (a damaged store) leaves the button
// blank instead of showing a neighbour's favourite.
const Favourite* favouriteWithIndex(const std::vector<Favourite*>& favourites, int index) {
    for (const Favourite* favourite : favourites) {
        if (favourite->index() == index) return favourite;
    }
    return nullptr;
}

CalcValueFormat favouriteValueFormat(const CalcValue& value, std::optional<CalcValueFormatStyle> storedStyle) {
    CalcValueFormat format = CalcValueFormat::withStyle(
        value.type() == CalcValueTypeReal ? CalcValueFormatStyleAuto : storedStyle.value_or(CalcValueFormatStyleDec));
    format.numDecimalPlaces = 4;
    format.numSigFig = 4;
    format.maxAutoAsFix = 1000000.0;
    format.minAutoAsFix = 0.0001;
    return format;
}

}  // namespace

FavouritesButtonViewController::FavouritesButtonViewController(QWidget* parent)
    : FavouritesButtonViewController(CalcEngine::sharedInstance(), CalcStore::sharedInstance(), parent) {}

FavouritesButtonViewController::FavouritesButtonViewController(CalcEngine& engine, CalcStore& store, QWidget* parent)
    : ViewController(parent), engine_(engine), store_(store) {
    // No focus of its own: the keyboard drives the calculator through CalcKeyboard.
    setFocusPolicy(Qt::NoFocus);
    loadViewIfNeeded();
}

void FavouritesButtonViewController::viewDidLoad() {
    store_.createDefaultFavourites();
    for (size_t position = 0; position < buttons_.size(); ++position) {
        auto* button = new UIButtonFavourite(this);
        button->setNumberTextColour(QuilletColours::buttonTextColour());
        button->setBackgroundImageNamed("favouriteKey.png");
        button->setBackgroundImageNamed("favouriteKeyPressed.png", UIControlState::Highlighted);
        button->setTitleFontSize(15);
        button->setTitleColor(QuilletColours::buttonTextColour());
        connect(button, &UIButton::touchDown, this, [this, button] { buttonFNTouchDown(button); });
        connect(button, &UIButton::touchUpInside, this, &FavouritesButtonViewController::buttonFNTouchUpInside);
        // A finger that slides off the button is no longer holding it.
        connect(button, &UIButton::touchDragExit, this, &FavouritesButtonViewController::buttonFNTouchUpOutside);
        connect(button, &UIButton::touchUpOutside, this, &FavouritesButtonViewController::buttonFNTouchUpOutside);
        connect(button, &UIButton::touchCancel, this, &FavouritesButtonViewController::buttonFNTouchCancel);
        button->setHoldAction(QString::fromStdString(Localized::string("Assign favourite")), [this, button] {
            selectedButton_ = button;
            buttonTimeout();
        });
        buttons_[position] = button;
    }
    updateLabels();
    observe(NotificationsNotificationFavouritesHaveChanged, [this](const Notification&) { updateLabels(); });
    setAttribute(Qt::WA_TranslucentBackground);
}

void FavouritesButtonViewController::setPageIndex(int pageIndex) {
    if (pageIndex == pageIndex_) return;
    pageIndex_ = pageIndex;
    updateLabels();
}

void FavouritesButtonViewController::updateLabels() {
    const std::optional<std::vector<Favourite*>> favourites = store_.favourites();
    if (!favourites) fatalAssert(kSource, "unable to get favourites");
    for (size_t position = 0; position < buttons_.size(); ++position) {
        const int index = pageIndex_ * FavouritesButtonViewControllerButtonCount + static_cast<int>(position);
        labelButtonFromFavourite(buttons_[position], favouriteWithIndex(*favourites, index));
    }
}

void FavouritesButtonViewController::labelButtonFromFavourite(UIButtonFavourite* button, const Favourite* favourite) {
    button->setImage(Image());
    button->setTitle(QString());
    button->setConstantString(std::nullopt);
    button->setCalcValue(std::nullopt, CalcValueFormat());
    button->setOperatorsOperator(OperatorsOperatorNone);
    if (!favourite) return;

    Operators& operators = Operators::sharedInstance();
    const OperatorsOperator op = favourite->operatorsOperator();
    if (op != OperatorsOperatorNone) {
        button->setOperatorsOperator(op);
        const Image image = ImageStore::imageNamed(operators.imageFromOperator(op));
        if (!image.isNull()) {
            button->setImage(buttonImageFromMenuImage(image));
        } else {
            button->setTitle(QString::fromStdString(operators.stringFromOperator(op)));
        }
        return;
    }

    const GeneralValue* generalValue = favourite->generalValue();
    if (!generalValue) fatalAssert(kSource, "unable to get general value");
    const std::optional<CalcValue> value = CalcStore::calcValueFromGeneralValue(*generalValue);
    if (!value) return;
    const Constants& constants = Constants::sharedInstance();
    button->setConstantString(constants.stringFromConstantCalcValue(*value));
    const std::optional<std::string> imageName = constants.imageFromConstantCalcValue(*value);
    const Image image = imageName ? ImageStore::imageNamed(*imageName) : Image();
    if (!image.isNull()) {
        button->setImage(buttonImageFromMenuImage(image));
    } else {
        button->setCalcValue(*value, favouriteValueFormat(*value, generalValue->style()));
    }
}

Image FavouritesButtonViewController::buttonImageFromMenuImage(const Image& menuImage) {
    const QSizeF size = menuImage.size();
    return menuImage.croppedToRect(QRectF(0, 8, size.width(), size.height() - 8));
}

void FavouritesButtonViewController::buttonFNTouchDown(UIButtonFavourite* button) {
    selectedButton_ = button;
    buttonTimer_.start(FavouritesButtonViewControllerHoldSeconds, [this] { buttonTimeout(); });
}

void FavouritesButtonViewController::buttonFNTouchUpInside() {
    // A hold has already been reported for this touch.
    if (!buttonTimer_.isActive()) return;
    buttonTimer_.stop();
    applySelectedFavourite();
}

void FavouritesButtonViewController::buttonFNTouchUpOutside() { buttonTimer_.stop(); }

void FavouritesButtonViewController::buttonFNTouchCancel() { buttonTimer_.stop(); }

void FavouritesButtonViewController::buttonTimeout() {
    const int position = positionOfSelectedButton();
    Log::format("button timeout %d", position);
    buttonTimer_.stop();
    if (position < 0) return;
    const int32_t index = pageIndex_ * FavouritesButtonViewControllerButtonCount + position;
    NotificationCenter::defaultCenter().post(FavouritesButtonViewControllerNotificationButtonHeld, nullptr, index);
}

int FavouritesButtonViewController::positionOfSelectedButton() const {
    for (size_t position = 0; position < buttons_.size(); ++position) {
        if (buttons_[position] == selectedButton_) return static_cast<int>(position);
    }
    return -1;
}

void FavouritesButtonViewController::applySelectedFavourite() {
    const int position = positionOfSelectedButton();
    if (position < 0) return;
    const std::optional<std::vector<Favourite*>> favourites = store_.favourites();
    if (!favourites) fatalAssert(kSource, "cannot get favourites");
    const Favourite* favourite =
        favouriteWithIndex(*favourites, pageIndex_ * FavouritesButtonViewControllerButtonCount + position);
    if (!favourite) return;
    const OperatorsOperator op = favourite->operatorsOperator();
    if (op != OperatorsOperatorNone) {
        engine_.enterOperator(op);
        return;
    }
    const GeneralValue* generalValue = favourite->generalValue();
    if (!generalValue) fatalAssert(kSource, "unable to get general value from favourite");
    if (const std::optional<CalcValue> value = CalcStore::calcValueFromGeneralValue(*generalValue)) {
        engine_.enterAccumulatorCalcValue(*value);
    }
}

void FavouritesButtonViewController::releaseAll() {
    ViewController::releaseAll();
    buttonTimer_.stop();
    selectedButton_ = nullptr;
}

void FavouritesButtonViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Five equal buttons across the page, inset so that the bar's pattern frames them.
    constexpr double inset = 3.0;
    const double width = PointScale::pointsFromPixels(this->width());
    const double height = PointScale::pointsFromPixels(this->height());
    const double buttonWidth = (width - inset) / FavouritesButtonViewControllerButtonCount;
    for (size_t position = 0; position < buttons_.size(); ++position) {
        const QRectF points(inset + static_cast<double>(position) * buttonWidth, inset, buttonWidth - inset,
                            height - 2 * inset);
        buttons_[position]->setGeometry(PointGeometry::pixelRectFromPoints(points));
    }
}
