# The core: values, number text, the engine and the operators. Standard library only.
file(GLOB QUILLET_CORE_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/Calculator/*.cpp
    ${PROJECT_SOURCE_DIR}/src/Utils/*.cpp)
# The engine persistence bridge needs the store: it belongs to the persistence layer.
list(FILTER QUILLET_CORE_SOURCES EXCLUDE REGEX "/CalcEngineStore\\.cpp$")
add_library(quillet_core STATIC
    ${QUILLET_CORE_SOURCES}
    src/Model/CalcValue.cpp
    src/Platform/FatalAssert.cpp
    src/Platform/Localized.cpp
    src/Platform/Log.cpp
    src/Platform/NotificationCenter.cpp)
target_include_directories(quillet_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
