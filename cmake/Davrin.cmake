# Helpers shared by every folder: warnings as errors, tests, benchmarks.

# Strict warnings, as errors, for our own targets (never for third-party code). A folder whose
# code is clean of the stricter three sets DAVRIN_STRICT_WARNINGS ON for itself and below.
function(davrin_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
        -Wshadow -Wnon-virtual-dtor -Wconversion -Wno-sign-conversion)
    if(DAVRIN_STRICT_WARNINGS)
        target_compile_options(${target} PRIVATE -Wmissing-declarations -Wcast-qual -Wformat=2)
    endif()
endfunction()

# davrin_test(NAME name SOURCES a_test.cpp ... LIBS lib ...)
# One GoogleTest executable, one CTest entry; on Windows CTest runs it through Wine.
function(davrin_test)
    cmake_parse_arguments(T "" "NAME;WORKING_DIRECTORY" "SOURCES;LIBS" ${ARGN})
    if(NOT DAVRIN_TESTS)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    davrin_warnings(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
    if(NOT T_WORKING_DIRECTORY)
        set(T_WORKING_DIRECTORY $<TARGET_FILE_DIR:${T_NAME}>)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600)
endfunction()

# davrin_benchmark(NAME name SOURCES ... LIBS ...): native only, never run as a test.
function(davrin_benchmark)
    cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
    if(WIN32 OR NOT DAVRIN_BENCHMARKS)
        return()
    endif()
    add_executable(${B_NAME} ${B_SOURCES})
    davrin_warnings(${B_NAME})
    target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()

# The product's version as a header (davrin_version.h), for the resources and the tests.
configure_file("${CMAKE_CURRENT_LIST_DIR}/davrin_version.h.in"
    "${PROJECT_BINARY_DIR}/generated/davrin_version.h" @ONLY)
add_library(davrin_version INTERFACE)
target_include_directories(davrin_version INTERFACE "${PROJECT_BINARY_DIR}/generated")

# davrin_version_resource(target file-name description): the version resource a shipped binary
# carries (file and product version, product and company name, description); Windows only.
function(davrin_version_resource target file_name description)
    if(NOT WIN32)
        return()
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
        set(DAVRIN_FILE_TYPE VFT_DLL)
    else()
        set(DAVRIN_FILE_TYPE VFT_APP)
    endif()
    set(DAVRIN_FILE_NAME "${file_name}")
    set(DAVRIN_FILE_DESCRIPTION "${description}")
    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in" "${rc}" @ONLY)
    target_sources(${target} PRIVATE "${rc}")
    target_link_libraries(${target} PRIVATE davrin_version)
endfunction()
