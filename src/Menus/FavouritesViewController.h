#pragma once

#include <optional>

#include "Model/CalcValue.h"
#include "Platform/UI/Image.h"
#include "Platform/UI/UITableViewController.h"
#include "Utils/CalcValueFormat.h"

class CalcStore;
class Favourite;

// The fifteen slots of the favourites bar, five to a section, each with its picture on a slot
// key and what it holds in words. Choosing a slot opens the favourite menu for it, which reports
// the choice to the calculator screen; the slots are read from the store on every question, so
// the table shows the current ones whenever it is drawn anew.
class FavouritesViewController : public UITableViewController {
    Q_OBJECT

public:
    static constexpr int FavouritesViewControllerSlotsPerSection = 5;

    // Over the shared store.
    explicit FavouritesViewController(UITableViewStyle style = UITableViewStyle::Grouped, QWidget* parent = nullptr);
    FavouritesViewController(CalcStore& store, UITableViewStyle style, QWidget* parent = nullptr);

    const std::optional<CalcValue>& selectedCalcValue() const { return selectedCalcValue_; }
    void setSelectedCalcValue(const std::optional<CalcValue>& value) { selectedCalcValue_ = value; }
    const CalcValueFormat& selectedCalcValueFormat() const { return selectedCalcValueFormat_; }
    void setSelectedCalcValueFormat(const CalcValueFormat& format) { selectedCalcValueFormat_ = format; }
    int32_t selectedFavouriteIndex() const { return selectedFavouriteIndex_; }

    void buttonClose();
    // The foreground scaled to the background's width, aspect kept, over the background from its
    // top left; the result has the background's size.
    static Image addImage(const Image& background, const Image& foreground);

    size_t numberOfSectionsInTableView(UITableView& tableView) override;
    size_t tableViewNumberOfRowsInSection(UITableView& tableView, size_t section) override;
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;
    void tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;

protected:
    void viewDidLoad() override;

private:
    std::vector<Favourite*> favourites() const;
    static int32_t slotFromIndexPath(IndexPath indexPath);

    CalcStore& store_;
    std::optional<CalcValue> selectedCalcValue_;
    CalcValueFormat selectedCalcValueFormat_;
    int32_t selectedFavouriteIndex_ = 0;
    Image favouriteButtonImage_;
};
