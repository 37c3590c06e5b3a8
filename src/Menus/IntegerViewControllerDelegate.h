#pragma once

#include <cstdint>

class IntegerViewController;

class IntegerViewControllerDelegate {
public:
    virtual ~IntegerViewControllerDelegate() = default;
    virtual void integerViewControllerDidCancel(IntegerViewController& integerViewController) = 0;
    // The number typed, within the bounds, as the user leaves the entry.
    virtual void integerViewControllerDidEnterInteger(IntegerViewController& integerViewController, int32_t value) = 0;
};
