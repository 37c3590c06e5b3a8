# The persistence layer: the platform's object store on SQLite and its user defaults on
# QSettings, then the store, the user settings and the bridge that saves and restores the engine.
# No public header of either needs Qt.
find_package(SQLite3 REQUIRED)
find_package(Qt6 6.2 COMPONENTS Core REQUIRED)

file(GLOB QUILLET_PLATFORM_STORE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/Platform/Store/*.cpp)
add_library(quillet_platform_store STATIC ${QUILLET_PLATFORM_STORE_SOURCES})
target_link_libraries(quillet_platform_store PUBLIC quillet_platform_core PRIVATE Qt6::Core SQLite::SQLite3)

add_library(quillet_persistence STATIC
    src/Calculator/CalcEngineStore.cpp
    src/Model/CalcStore.cpp
    src/Model/CalcStoreModel.cpp
    src/Model/CalcStoreRecordCheck.cpp
    src/Model/HistoryText.cpp
    src/Model/UserSettings.cpp)
target_link_libraries(quillet_persistence PUBLIC quillet_core quillet_platform_store PRIVATE Qt6::Core)
