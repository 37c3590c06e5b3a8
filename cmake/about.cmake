# What the About screen tells of the build: the project's version, the revision of the sources
# it was built from, and the address its web button opens. The README is installed, so that the
# default address leads somewhere.
include(GNUInstallDirs)

set(QUILLET_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillet)
set(QUILLET_WEB_ADDRESS "" CACHE STRING
    "The address the About screen's web button opens; empty opens the installed README")
if(QUILLET_WEB_ADDRESS)
    set(web_address "${QUILLET_WEB_ADDRESS}")
else()
    set(web_address "file://${CMAKE_INSTALL_PREFIX}/${QUILLET_DOC_DIR}/README.md")
endif()
file(RELATIVE_PATH QUILLET_README_FROM_BINDIR ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${QUILLET_DOC_DIR}/README.md)

# The revision counts only when the sources are a checkout of their own, not a tarball unpacked
# inside some other repository.
set(QUILLET_SOURCE_REVISION "")
find_package(Git QUIET)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel HEAD
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE git_answer OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_result ERROR_QUIET)
    string(REPLACE "\n" ";" git_answer "${git_answer}")
    list(LENGTH git_answer git_lines)
    if(git_result EQUAL 0 AND git_lines EQUAL 2)
        list(GET git_answer 0 git_top)
        list(GET git_answer 1 git_revision)
        file(REAL_PATH "${git_top}" git_top)
        file(REAL_PATH "${PROJECT_SOURCE_DIR}" source_top)
        string(LENGTH "${git_revision}" git_revision_length)
        if(git_top STREQUAL source_top AND git_revision MATCHES "^[0-9a-f]+$" AND git_revision_length EQUAL 40)
            set(QUILLET_SOURCE_REVISION ${git_revision})
            # A new commit or checkout configures again, so that the revision never goes stale.
            execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path HEAD --symbolic-full-name HEAD
                            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                            OUTPUT_VARIABLE git_paths OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            string(REPLACE "\n" ";" git_paths "${git_paths}")
            set(git_watched "")
            foreach(git_path IN LISTS git_paths)
                if(git_path MATCHES "^refs/")
                    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path ${git_path}
                                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                                    OUTPUT_VARIABLE git_path OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
                endif()
                list(APPEND git_watched ${git_path})
            endforeach()
            execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path packed-refs
                            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                            OUTPUT_VARIABLE git_packed OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            list(APPEND git_watched ${git_packed})
            foreach(git_path IN LISTS git_watched)
                if(NOT IS_ABSOLUTE "${git_path}")
                    set(git_path "${PROJECT_SOURCE_DIR}/${git_path}")
                endif()
                if(EXISTS "${git_path}")
                    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${git_path}")
                endif()
            endforeach()
        endif()
    endif()
endif()

# Texts written into a C++ string.
function(quillet_escape_for_source variable text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()
quillet_escape_for_source(QUILLET_WEB_ADDRESS_IN_SOURCE "${web_address}")
quillet_escape_for_source(QUILLET_SOURCE_README_IN_SOURCE "${PROJECT_SOURCE_DIR}/README.md")
configure_file(${PROJECT_SOURCE_DIR}/cmake/QuilletBuildInfo.h.in ${PROJECT_BINARY_DIR}/generated/QuilletBuildInfo.h
               @ONLY)
target_include_directories(quillet_screens PRIVATE ${PROJECT_BINARY_DIR}/generated)

install(FILES README.md DESTINATION ${QUILLET_DOC_DIR})
