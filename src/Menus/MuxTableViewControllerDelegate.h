#pragma once

#include <cstdint>

class UITableView;

class MuxTableViewControllerDelegate {
public:
    virtual ~MuxTableViewControllerDelegate() = default;
    // Another text of the list was checked; the list stays open.
    virtual void muxTableViewDidSelectMuxItemIndex(UITableView& muxTableView, int32_t index) = 0;
};
