# SPDX-License-Identifier: GPL-2.0-or-later
# The flags of the project's own targets, none of them global: every target of ours links
# solvara_flags, and the program's code (the rooms of src/ and main()) solvara_program_flags,
# which brings solvara_flags. Libraries found on the system are compiled with nothing of this.

add_library(solvara_flags INTERFACE)
# The same doubles on every machine: no contraction into fused multiply-adds, no fast math.
# Warnings stay at zero; CI (.ci/run) makes any warning fail the build.
target_compile_options(solvara_flags INTERFACE
    -Wall -Wextra -Wpedantic -ffp-contract=off -fno-fast-math
    $<$<BOOL:${SOLVARA_WERROR}>:-Werror>)

# The fuzz targets run under the sanitizers, and so does everything built beside them.
if(SOLVARA_FUZZ)
    set(SOLVARA_SANITIZE ON)
endif()
if(SOLVARA_SANITIZE)
    target_compile_options(solvara_flags INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(solvara_flags INTERFACE -fsanitize=address,undefined)
endif()

# The program's own code, which the package ships: the rooms (which the tests and the fuzz
# targets link too) and main().
add_library(solvara_program_flags INTERFACE)
target_link_libraries(solvara_program_flags INTERFACE solvara_flags)
# The flags Debian builds its packages with, all hardening on, as `dpkg-buildflags` gives them
# for this source tree (its -ffile-prefix-map names the tree). The package is made from a build
# with these (make package); the tests are not.
if(SOLVARA_DEBIAN_FLAGS)
    find_program(SOLVARA_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
    foreach(kind CFLAGS CXXFLAGS CPPFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${SOLVARA_DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(SOLVARA_DEBIAN_${kind} UNIX_COMMAND "${flags}")
        # Their -O2 -g are the build type's (RelWithDebInfo), and targets may ask for another.
        list(REMOVE_ITEM SOLVARA_DEBIAN_${kind} -O2 -g)
    endforeach()
    message(STATUS "Debian's flags: ${SOLVARA_DEBIAN_CXXFLAGS} ${SOLVARA_DEBIAN_CPPFLAGS}; "
        "${SOLVARA_DEBIAN_LDFLAGS}")
    target_compile_options(solvara_program_flags INTERFACE
        "$<$<COMPILE_LANGUAGE:C>:${SOLVARA_DEBIAN_CFLAGS}>"
        "$<$<COMPILE_LANGUAGE:CXX>:${SOLVARA_DEBIAN_CXXFLAGS}>"
        ${SOLVARA_DEBIAN_CPPFLAGS})
    target_link_options(solvara_program_flags INTERFACE ${SOLVARA_DEBIAN_LDFLAGS})
endif()
if(NOT SOLVARA_SANITIZE)
    # Every function and datum in a section of its own, so that the program's link drops those
    # nothing refers to (-Wl,--gc-sections, CMakeLists.txt).
    target_compile_options(solvara_program_flags INTERFACE -ffunction-sections -fdata-sections)
endif()
if(SOLVARA_FUZZ)
    # The fuzzers' coverage instrumentation, in the code they exercise. The test programs link
    # the same rooms without libFuzzer: the sanitizer runtime answers the instrumentation's calls.
    target_compile_options(solvara_program_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
