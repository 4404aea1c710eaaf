# Helpers that give every target of ours the same warnings and layout.

# Warnings are errors in our own code only; third-party headers come in as SYSTEM includes.
function(strumwise_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Werror)
endfunction()

# strumwise_library(name SOURCES ... [DEPS ...]): one static library per folder of src/.
function(strumwise_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    strumwise_warnings(${name})
    strumwise_harden(${name})
endfunction()

# strumwise_test(name SOURCES ... LIBS ... [LABELS ...]): one GoogleTest executable.
function(strumwise_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    strumwise_warnings(${name})
    # Discovered tests cannot carry a list of labels through gtest_discover_tests (every label
    # after the first is taken for a property name), so each executable has one label at most.
    list(LENGTH ARG_LABELS _label_count)
    if(_label_count GREATER 1)
        message(FATAL_ERROR "strumwise_test(${name}): one label per test executable")
    endif()
    gtest_discover_tests(${name} PROPERTIES LABELS "${ARG_LABELS}" DISCOVERY_TIMEOUT 60)
    if("threaded" IN_LIST ARG_LABELS)
        add_dependencies(strumwise_threaded_tests ${name})
    endif()
endfunction()

# strumwise_folder_library(name [SUBFOLDERS dirs...] [EXCLUDE files...] DEPS ...): a library of
# every .cpp file in the calling folder and in the subfolders named (re-globbed at build time, so
# new files need no CMake edit). A folder with no sources yet becomes an interface library.
function(strumwise_folder_library name)
    cmake_parse_arguments(ARG "" "" "SUBFOLDERS;EXCLUDE;DEPS" ${ARGN})
    file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(_dir IN LISTS ARG_SUBFOLDERS)
        file(GLOB _dir_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${_dir}/*.cpp)
        list(APPEND _sources ${_dir_sources})
    endforeach()
    foreach(_ex IN LISTS ARG_EXCLUDE)
        list(REMOVE_ITEM _sources ${CMAKE_CURRENT_SOURCE_DIR}/${_ex})
    endforeach()
    if(_sources)
        strumwise_library(${name} SOURCES ${_sources} DEPS ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# Test executables labelled "threaded" also build under ThreadSanitizer through this target.
add_custom_target(strumwise_threaded_tests)
