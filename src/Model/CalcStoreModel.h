#pragma once

#include "Platform/Store/ManagedObjectModel.h"

// The entities of the store file. Every stored value is owned by the record that points to it
// and is deleted with it.
class CalcStoreModel {
public:
    static ManagedObjectModel managedObjectModel();
};
