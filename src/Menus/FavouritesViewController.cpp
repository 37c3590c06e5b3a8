#include "Menus/FavouritesViewController.h"

#include <QPainter>
#include <algorithm>

#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Menus/MenuViewController.h"
#include "Menus/Menus.h"
#include "Model/CalcStore.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/UIBarButtonItem.h"
#include "Utils/NumberUtils.h"

namespace {

// The favourites bar has three pages of five slots.
constexpr int32_t kSlotCount = 15;

QString localized(std::string_view english) { return QString::fromStdString(Localized::string(english)); }

const Favourite* favouriteWithIndex(const std::vector<Favourite*>& favourites, int32_t index) {
    for (const Favourite* favourite : favourites) {
        if (favourite->index() == index) return favourite;
    }
    return nullptr;
}

}  // namespace

FavouritesViewController::FavouritesViewController(UITableViewStyle style, QWidget* parent)
    : FavouritesViewController(CalcStore::sharedInstance(), style, parent) {}

FavouritesViewController::FavouritesViewController(CalcStore& store, UITableViewStyle style, QWidget* parent)
    : UITableViewController(style, parent),
      store_(store),
      favouriteButtonImage_(ImageStore::imageNamed("buttonFavouriteMenu.png")) {}

void FavouritesViewController::viewDidLoad() {
    auto* done = new UIBarButtonItem(localized("Done"), UIBarButtonItemStyle::Done);
    connect(done, &QAbstractButton::clicked, this, &FavouritesViewController::buttonClose);
    navigationItem()->setRightBarButtonItem(done);
    tableView()->setBackgroundImageNamed("backgroundMenu.png");
}

void FavouritesViewController::buttonClose() { dismissModalViewControllerAnimated(true); }

std::vector<Favourite*> FavouritesViewController::favourites() const {
    // A store that cannot be read has logged why; the screen then shows no slots.
    return store_.favourites().value_or(std::vector<Favourite*>{});
}

int32_t FavouritesViewController::slotFromIndexPath(IndexPath indexPath) {
    return static_cast<int32_t>(indexPath.section) * FavouritesViewControllerSlotsPerSection +
           static_cast<int32_t>(indexPath.row);
}

size_t FavouritesViewController::numberOfSectionsInTableView(UITableView&) {
    // As many whole sections as the slots reach: a slot the store left out (damaged) shows
    // empty in its place, and the slots after it keep theirs.
    int32_t reached = 0;
    for (const Favourite* favourite : favourites()) {
        const int32_t slot = favourite->index();
        if (slot >= 0 && slot < kSlotCount) reached = std::max(reached, slot + 1);
    }
    return static_cast<size_t>(reached / FavouritesViewControllerSlotsPerSection);
}

size_t FavouritesViewController::tableViewNumberOfRowsInSection(UITableView&, size_t) {
    return FavouritesViewControllerSlotsPerSection;
}

UITableViewCell FavouritesViewController::tableViewCellForRowAtIndexPath(UITableView&, IndexPath indexPath) {
    UITableViewCell cell;
    cell.accessoryType = UITableViewCellAccessoryType::DisclosureIndicator;
    const Image background = favouriteButtonImage_.atCurrentScale();
    const Favourite* favourite = favouriteWithIndex(favourites(), slotFromIndexPath(indexPath));
    if (!favourite) {
        cell.image = background;
        cell.text = localized("Empty");
        return cell;
    }
    if (const OperatorsOperator op = favourite->operatorsOperator(); op != OperatorsOperatorNone) {
        Operators& operators = Operators::sharedInstance();
        cell.image = addImage(background, ImageStore::imageNamed(operators.imageFromOperator(op)));
        cell.text = QString::fromStdString(operators.descriptionFromOperator(op));
        return cell;
    }
    const GeneralValue* generalValue = favourite->generalValue();
    const std::optional<CalcValue> value =
        generalValue ? CalcStore::calcValueFromGeneralValue(*generalValue) : std::nullopt;
    if (!value) {
        cell.image = background;
        cell.text = localized("Empty");
        return cell;
    }
    const std::optional<std::string> constantImage = Constants::sharedInstance().imageFromConstantCalcValue(*value);
    cell.image = addImage(background, ImageStore::imageNamed(constantImage.value_or("constantsConstDark.png")));
    CalcValueFormat format;
    format.style = generalValue->style();
    cell.text = QString::fromStdString(NumberUtils::stringFromCalcValue(*value, &format));
    return cell;
}

void FavouritesViewController::tableViewDidSelectRowAtIndexPath(UITableView&, IndexPath indexPath) {
    NavigationController* stack = navigationController();
    if (!stack) return;
    selectedFavouriteIndex_ = slotFromIndexPath(indexPath);
    auto* menu = new MenuViewController(store_, UITableViewStyle::Grouped);
    menu->setTitle(localized("Functions"));
    menu->setMenuType(MenuViewControllerMenuTypeFavourite);
    menu->setViewName(MenuFavourite);
    menu->setShowCalcValue(true);
    menu->setShowCloseButton(true);
    menu->setNotifyOnSelectionOfOperator(true);
    menu->setNotifyOnSelectionOfConstant(true);
    menu->setSelectedFavouriteIndex(selectedFavouriteIndex_);
    menu->setSelectedCalcValue(selectedCalcValue_);
    menu->setSelectedCalcValueFormat(selectedCalcValueFormat_);
    stack->pushViewController(menu, true);
}

Image FavouritesViewController::addImage(const Image& background, const Image& foreground) {
    if (background.isNull() || foreground.isNull()) return background;
    const qreal scale = ImageStore::currentScale();
    const QSizeF size = background.size();
    const qreal ratio = size.width() / foreground.size().width();
    QPixmap canvas((size * scale).toSize());
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(QPointF(0, 0), size * scale), background.pixmap(), QRectF(background.pixmap().rect()));
    painter.drawPixmap(QRectF(0, 0, size.width() * scale, foreground.size().height() * scale * ratio),
                       foreground.pixmap(), QRectF(foreground.pixmap().rect()));
    painter.end();
    canvas.setDevicePixelRatio(background.pixmap().devicePixelRatio());
    return Image(canvas, size);
}
