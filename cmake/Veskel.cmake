# Shared build rules for Veskel's modules, tests and benchmarks.

set(VESKEL_SOURCES_DIR ${CMAKE_SOURCE_DIR}/Sources)

# Final Cut Pro's DTD lives beside the checkout; a copy in the tree keeps tests runnable alone.
if(EXISTS ${CMAKE_SOURCE_DIR}/../shared/FCPXMLv1_14.dtd)
    set(VESKEL_FCPXML_DTD ${CMAKE_SOURCE_DIR}/../shared/FCPXMLv1_14.dtd)
else()
    set(VESKEL_FCPXML_DTD ${CMAKE_SOURCE_DIR}/Tests/Support/FCPXMLv1_14.dtd)
endif()

function(veskel_apply_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    if(VESKEL_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/SanitizerDefaults.cpp)
        endif()
    endif()
    if(VESKEL_FUZZ)
        # Coverage for libFuzzer in every module; only the fuzz targets link its main. Clang
        # flags libstdc++ 12's own use of get_temporary_buffer (std::stable_sort) as deprecated.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link
                                                 -Wno-deprecated-declarations)
    endif()
endfunction()

# veskel_add_module(NAME LIBS <libs...>)
# A static library made of every .cpp/.h under Sources/NAME; headers are included as
# "NAME/Folder/Type.h".
function(veskel_add_module name)
    cmake_parse_arguments(ARG "" "" "LIBS;RESOURCES" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${VESKEL_SOURCES_DIR}/${name}/*.cpp ${VESKEL_SOURCES_DIR}/${name}/*.h)
    add_library(${name} STATIC ${sources} ${ARG_RESOURCES})
    target_include_directories(${name} PUBLIC ${VESKEL_SOURCES_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    veskel_apply_settings(${name})
endfunction()

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
    target_compile_options(${name} PRIVATE -include ${CMAKE_SOURCE_DIR}/Tests/Support/TestPrinters.h)
    veskel_apply_settings(${name})
    # The test main selects the offscreen platform; sanitizer settings are compiled in.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
