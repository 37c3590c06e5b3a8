# The screens: the platform's stand-ins for the phone's widgets on Qt Widgets, then the
# calculator screen, its pages and widgets, the menus and the history.
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

file(GLOB QUILLET_PLATFORM_UI_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/Platform/UI/*.cpp
    ${PROJECT_SOURCE_DIR}/src/Platform/UI/*.h)
# The images by name that the image store loads travel with it.
add_library(quillet_platform_ui STATIC ${QUILLET_PLATFORM_UI_SOURCES} resources/quillet.qrc)
target_link_libraries(quillet_platform_ui PUBLIC quillet_platform_core Qt6::Widgets PRIVATE Qt6::Svg)
# Where Qt finds its fonts through fontconfig, a start reads fontconfig's files early, in parallel.
find_package(Fontconfig QUIET)
if(Fontconfig_FOUND)
    target_link_libraries(quillet_platform_ui PRIVATE Fontconfig::Fontconfig)
    target_compile_definitions(quillet_platform_ui PRIVATE QUILLET_HAS_FONTCONFIG)
endif()

file(GLOB QUILLET_SCREENS_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/Classes/*.cpp
    ${PROJECT_SOURCE_DIR}/src/Menus/*.cpp
    ${PROJECT_SOURCE_DIR}/src/HistoryViews/*.cpp)
file(GLOB QUILLET_SCREENS_HEADERS CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/Classes/*.h
    ${PROJECT_SOURCE_DIR}/src/Menus/*.h
    ${PROJECT_SOURCE_DIR}/src/HistoryViews/*.h)
add_library(quillet_screens STATIC ${QUILLET_SCREENS_SOURCES} ${QUILLET_SCREENS_HEADERS})
target_link_libraries(quillet_screens PUBLIC quillet_core quillet_persistence quillet_platform_ui)
include(cmake/about.cmake)
