# The platform's Qt-free hooks: fatal assertions, the log, localized text, notifications, and the
# saved settings file read without Qt.
file(GLOB QUILLET_PLATFORM_CORE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/Platform/Core/*.cpp)
add_library(quillet_platform_core STATIC ${QUILLET_PLATFORM_CORE_SOURCES})
target_include_directories(quillet_platform_core PUBLIC ${PROJECT_SOURCE_DIR}/src)

# The core: values, number text, the engine and the operators. Standard library only.
file(GLOB QUILLET_CORE_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/Calculator/*.cpp
    ${PROJECT_SOURCE_DIR}/src/Utils/*.cpp)
# The engine persistence bridge needs the store: it belongs to the persistence layer.
list(FILTER QUILLET_CORE_SOURCES EXCLUDE REGEX "/CalcEngineStore\\.cpp$")
add_library(quillet_core STATIC ${QUILLET_CORE_SOURCES} src/Model/CalcValue.cpp)
target_link_libraries(quillet_core PUBLIC quillet_platform_core)
