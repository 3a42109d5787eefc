# Shared build rules for Veskel's modules, tests and benchmarks.

set(VESKEL_SOURCES_DIR ${CMAKE_SOURCE_DIR}/Sources)

# Final Cut Pro's DTD lives beside the checkout; a copy in the tree keeps tests runnable alone.
if(EXISTS ${CMAKE_SOURCE_DIR}/../shared/FCPXMLv1_14.dtd)
    set(VESKEL_FCPXML_DTD ${CMAKE_SOURCE_DIR}/../shared/FCPXMLv1_14.dtd)
else()
    set(VESKEL_FCPXML_DTD ${CMAKE_SOURCE_DIR}/Tests/Support/FCPXMLv1_14.dtd)
endif()

# Headers nearly every file includes, parsed once per build instead of once per file. Only system
# headers: a change to our own would rebuild every file. Qt's test headers stay out, since what
# they declare depends on the Qt modules a target links.
set(VESKEL_PCH_CORE
    <algorithm> <array> <functional> <memory> <optional>
    <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QJsonArray> <QJsonObject> <QList>
    <QObject> <QSet> <QString> <QStringList> <QColor> <QImage> <QPainter>)
set(VESKEL_PCH_WIDGETS ${VESKEL_PCH_CORE}
    <QApplication> <QHBoxLayout> <QLabel> <QLineEdit> <QMenu> <QPointer> <QPushButton>
    <QToolButton> <QVBoxLayout> <QWidget>)
# TestPrinters.h is forced into every test file, and a precompiled header must come first.
set(VESKEL_PCH_TESTS ${VESKEL_PCH_WIDGETS} <QTemporaryDir> <gtest/gtest.h>
    ${CMAKE_SOURCE_DIR}/Tests/Support/TestPrinters.h)

# veskel_precompile(TARGET OWNER HEADERS...)
# OWNER compiles HEADERS once; the targets naming it as owner reuse that (every target has the
# same flags, and those headers do not depend on the per-target definitions).
function(veskel_precompile target owner)
    if(target STREQUAL owner)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    else()
        target_precompile_headers(${target} REUSE_FROM ${owner})
    endif()
endfunction()

function(veskel_apply_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    if(VESKEL_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_link_libraries(${target} PRIVATE VeskelSanitizerDefaults)
        endif()
    endif()
    if(VESKEL_FUZZ)
        # Coverage for libFuzzer in every module; only the fuzz targets link its main. Clang
        # flags libstdc++ 12's own use of get_temporary_buffer (std::stable_sort) as deprecated.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link
                                                 -Wno-deprecated-declarations)
    endif()
endfunction()

# The sanitizer settings every sanitized program carries, compiled once for all of them.
if(VESKEL_SANITIZE)
    add_library(VeskelSanitizerDefaults OBJECT ${CMAKE_SOURCE_DIR}/cmake/SanitizerDefaults.cpp)
    veskel_apply_settings(VeskelSanitizerDefaults)
endif()

# veskel_add_module(NAME LIBS <libs...> [QT_CORE_ONLY])
# A static library made of every .cpp/.h under Sources/NAME; headers are included as
# "NAME/Folder/Type.h". QT_CORE_ONLY modules do not link StoryboardCore's Qt modules, so they
# cannot share its precompiled header.
function(veskel_add_module name)
    cmake_parse_arguments(ARG "QT_CORE_ONLY" "" "LIBS;RESOURCES" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${VESKEL_SOURCES_DIR}/${name}/*.cpp ${VESKEL_SOURCES_DIR}/${name}/*.h)
    add_library(${name} STATIC ${sources} ${ARG_RESOURCES})
    target_include_directories(${name} PUBLIC ${VESKEL_SOURCES_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    veskel_apply_settings(${name})
    if(NOT ARG_QT_CORE_ONLY)
        veskel_precompile(${name} StoryboardCore ${VESKEL_PCH_CORE})
    endif()
endfunction()

# A suite runs as one process: starting a sanitized Qt program for each of a thousand cases cost
# more than the cases themselves. ON lists every case as a test of its own.
option(VESKEL_TEST_EACH_CASE "One ctest test per GoogleTest case" OFF)

# veskel_add_test_suite(NAME LIBS <libs...> [GUI])
# One GoogleTest binary made of every .cpp under Tests/NAME, with the shared test main.
function(veskel_add_test_suite name)
    cmake_parse_arguments(ARG "GUI" "" "LIBS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/Tests/${name}/*.cpp ${CMAKE_SOURCE_DIR}/Tests/${name}/*.h)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} VeskelTestSupport GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        VESKEL_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/Tests/${name}/Data"
        VESKEL_FCPXML_DTD="${VESKEL_FCPXML_DTD}")
    veskel_apply_settings(${name})
    veskel_precompile(${name} VeskelTestSupport)
    # The test main selects the offscreen platform; sanitizer settings are compiled in.
    if(VESKEL_TEST_EACH_CASE)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
endfunction()
