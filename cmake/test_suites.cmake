# SPDX-License-Identifier: GPL-2.0-or-later
# solvara_test_suites(<target> [EACH_TEST] [ONLY <suite>...] [EXCLUDE <suite>...]
#                     [LAUNCHER <command>...] [PROPERTIES <property> <value>...])
#
# Registers the GoogleTest tests of the test program <target> with ctest, listed from the
# program as built when ctest starts. By default one ctest test for each suite, named
# `<Suite>.*`, runs the suite's tests in one process: most of the program's tests take
# milliseconds, and a process for each of them cost more than the tests themselves (a quarter of
# a second each under the sanitizers). A failure still names its test in the program's output.
# EACH_TEST gives each test a process and a ctest test of its own (the X sessions, each with its
# own servers). ONLY and EXCLUDE choose suites; LAUNCHER runs the program through a command.
function(solvara_test_suites target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "EACH_TEST" "" "ONLY;EXCLUDE;LAUNCHER;PROPERTIES")
    set(properties "")
    foreach(item IN LISTS arg_PROPERTIES)
        string(APPEND properties " [==[${item}]==]")
    endforeach()
    set(launcher "")
    foreach(item IN LISTS arg_LAUNCHER)
        string(APPEND launcher " [==[${item}]==]")
    endforeach()
    set(each_test "$<BOOL:${arg_EACH_TEST}>")
    string(JOIN "_" name ${target} ${arg_ONLY})
    set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_tests.cmake")
    set(script [==[
cmake_policy(VERSION 3.25)
set(program [=[$<TARGET_FILE:@target@>]=])
set(only @arg_ONLY@)
set(excluded @arg_EXCLUDE@)
set(listing "")
if(EXISTS "${program}")
    execute_process(COMMAND "${program}" --gtest_list_tests
        OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0)
        set(listing "")
    endif()
endif()
if(listing STREQUAL "")
    # Not built, or it cannot list its tests: a test that fails says so.
    add_test([=[@name@_NOT_LISTED]=] "${program}" --gtest_list_tests)
    return()
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(suite "")
foreach(line IN LISTS lines)
    # A suite's line is its name and a dot, each of its tests' lines two blanks and the test's
    # name; either may end in a comment on the parameter.
    if(line MATCHES "^([A-Za-z0-9_/]+)\\.( .*)?$")
        set(suite "${CMAKE_MATCH_1}")
        if(suite IN_LIST excluded OR (only AND NOT suite IN_LIST only))
            set(suite "")
        endif()
        set(tests "")
        if(NOT suite STREQUAL "" AND NOT @each_test@)
            set(tests "${suite}.*")
        endif()
    elseif(NOT suite STREQUAL "" AND @each_test@ AND line MATCHES "^  ([A-Za-z0-9_/]+)( .*)?$")
        set(tests "${suite}.${CMAKE_MATCH_1}")
    else()
        set(tests "")
    endif()
    foreach(test IN LISTS tests)
        add_test("${test}" @launcher@ "${program}" "--gtest_filter=${test}")
        set_tests_properties("${test}" PROPERTIES @properties@)
    endforeach()
endforeach()
]==])
    string(CONFIGURE "${script}" script @ONLY)
    file(GENERATE OUTPUT "${include_file}" CONTENT "${script}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
