# The screens: widgets, pages, menus and the UI services of the platform layer, on Qt Widgets.
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

file(GLOB QUILLET_SCREENS_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/Classes/*.cpp
    ${PROJECT_SOURCE_DIR}/src/Menus/*.cpp
    ${PROJECT_SOURCE_DIR}/src/HistoryViews/*.cpp)
file(GLOB QUILLET_SCREENS_HEADERS CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/Classes/*.h
    ${PROJECT_SOURCE_DIR}/src/Menus/*.h
    ${PROJECT_SOURCE_DIR}/src/HistoryViews/*.h)
set(QUILLET_PLATFORM_UI_SOURCES
    src/Platform/Accessibility.cpp
    src/Platform/Clipboard.cpp
    src/Platform/EditMenu.cpp
    src/Platform/OneShotTimer.cpp
    src/Platform/Image.cpp
    src/Platform/ImageDiskCache.cpp
    src/Platform/ImageStore.cpp
    src/Platform/ImageView.cpp
    src/Platform/LocalizedQt.cpp
    src/Platform/PagedScrollView.cpp
    src/Platform/PointScale.cpp
    src/Platform/SystemFont.cpp
    src/Platform/UIButton.cpp)
add_library(quillet_screens STATIC
    ${QUILLET_SCREENS_SOURCES}
    ${QUILLET_SCREENS_HEADERS}
    ${QUILLET_PLATFORM_UI_SOURCES}
    resources/quillet.qrc)
target_link_libraries(quillet_screens PUBLIC quillet_core Qt6::Widgets Qt6::Svg)
if(TARGET quillet_persistence)
    target_link_libraries(quillet_screens PUBLIC quillet_persistence)
endif()
