# SPDX-License-Identifier: GPL-2.0-or-later
# solvara_test_suites(<target> [EXCLUDE <suite>...] [PROPERTIES <property> <value>...])
#
# One ctest test for each GoogleTest suite of the test program <target>, named `<Suite>.*` and
# running the suite's tests in one process. The suites are listed when ctest starts, from the
# program as built. Most of the program's tests take milliseconds; a process for each of them
# cost more than the tests themselves (a quarter of a second each under the sanitizers).
# A failure still names its test: ctest shows the program's output.
function(solvara_test_suites target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "EXCLUDE;PROPERTIES")
    set(properties "")
    foreach(item IN LISTS arg_PROPERTIES)
        string(APPEND properties " [==[${item}]==]")
    endforeach()
    set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
    set(script [==[
set(program [=[$<TARGET_FILE:@target@>]=])
set(excluded @arg_EXCLUDE@)
set(listing "")
if(EXISTS "${program}")
    execute_process(COMMAND "${program}" --gtest_list_tests
        OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        set(listing "")
    endif()
endif()
if(listing STREQUAL "")
    # Not built, or it cannot list its tests: a test that fails says so.
    add_test([=[@target@_NOT_LISTED]=] "${program}" --gtest_list_tests)
    return()
endif()
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
    # A suite's line is its name and a dot, then perhaps a comment on its parameter type.
    if(line MATCHES "^([A-Za-z0-9_/]+)\\.( .*)?$")
        set(suite "${CMAKE_MATCH_1}")
        list(FIND excluded "${suite}" at)
        if(at EQUAL -1)
            add_test("${suite}.*" "${program}" "--gtest_filter=${suite}.*")
            set_tests_properties("${suite}.*" PROPERTIES @properties@)
        endif()
    endif()
endforeach()
]==])
    string(CONFIGURE "${script}" script @ONLY)
    file(GENERATE OUTPUT "${include_file}" CONTENT "${script}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
