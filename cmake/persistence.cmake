# The persistence layer: the object store on SQLite, the user settings on QSettings, and the
# bridge that saves and restores the engine.
find_package(SQLite3 REQUIRED)
find_package(Qt6 6.2 COMPONENTS Core REQUIRED)
add_library(quillet_persistence STATIC
    src/Calculator/CalcEngineStore.cpp
    src/Model/CalcStore.cpp
    src/Model/CalcStoreModel.cpp
    src/Model/UserSettings.cpp
    src/Platform/FetchRequest.cpp
    src/Platform/FetchedResultsController.cpp
    src/Platform/FileSetAside.cpp
    src/Platform/ManagedObject.cpp
    src/Platform/ManagedObjectContext.cpp
    src/Platform/ManagedObjectModel.cpp
    src/Platform/PersistentStoreCoordinator.cpp
    src/Platform/SQLiteDatabase.cpp
    src/Platform/SQLiteTransaction.cpp
    src/Platform/UserDefaults.cpp)
target_link_libraries(quillet_persistence PUBLIC quillet_core Qt6::Core PRIVATE SQLite::SQLite3)
