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
