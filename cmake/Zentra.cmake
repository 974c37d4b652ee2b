# Shared build helpers for the project's own targets.

# Strict warnings, as errors, for code we write (not for GoogleTest or generated sources).
function(zentra_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Werror)
endfunction()

# The version as users read it: major "." two-digit minor, then "." and the four-digit revision
# when it is 1 or more ("1.10", "2.05.0007"); the same rule as VersionString in common/numbers/Common.h.
function(zentra_version_text out)
    set(minor "${PROJECT_VERSION_MINOR}")
    if(minor LESS 10)
        set(minor "0${minor}")
    endif()
    set(text "${PROJECT_VERSION_MAJOR}.${minor}")
    if(PROJECT_VERSION_PATCH GREATER_EQUAL 1)
        set(revision "000${PROJECT_VERSION_PATCH}")
        string(LENGTH "${revision}" length)
        if(length GREATER 7)
            set(revision "${PROJECT_VERSION_PATCH}")
        else()
            math(EXPR start "${length} - 4")
            string(SUBSTRING "${revision}" ${start} 4 revision)
        endif()
        string(APPEND text ".${revision}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A build tool that must run on the build machine even in a cross build: compiled with the host
# compiler by custom commands, one object per source with a depfile, so that a changed header
# rebuilds the tool and whatever the tool makes. Sets <name>_EXE in the parent scope to its path.
function(zentra_host_tool name)
    set(dir "${CMAKE_BINARY_DIR}/host-tools")
    set(out "${dir}/${name}")
    set(objects "")
    foreach(source IN LISTS ARGN)
        # Sources are named from the calling folder or, for the shared generators, absolutely.
        if(NOT IS_ABSOLUTE "${source}")
            set(source "${CMAKE_CURRENT_SOURCE_DIR}/${source}")
        endif()
        get_filename_component(stem "${source}" NAME)
        string(MAKE_C_IDENTIFIER "${stem}" stem)
        set(object "${dir}/${name}.objects/${stem}.o")
        add_custom_command(
            OUTPUT "${object}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}/${name}.objects"
            COMMAND ${ZENTRA_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Werror -I${PROJECT_SOURCE_DIR}
                    -MD -MT "${object}" -MF "${object}.d"
                    -c "${source}" -o "${object}"
            DEPENDS "${source}"
            DEPFILE "${object}.d"
            COMMENT "Compiling host tool ${name}: ${source}"
            VERBATIM)
        list(APPEND objects "${object}")
    endforeach()
    add_custom_command(
        OUTPUT "${out}"
        COMMAND ${ZENTRA_HOST_CXX} ${objects} -o "${out}"
        DEPENDS ${objects}
        COMMENT "Linking host tool ${name}"
        VERBATIM)
    add_custom_target(${name}_host DEPENDS "${out}")
    set(${name}_EXE "${out}" PARENT_SCOPE)
endfunction()

# A GoogleTest program. Natively every test case is registered with CTest; in the Windows build the
# whole program is one CTest test run under Wine.
function(zentra_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    zentra_warnings(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    else()
        include(GoogleTest)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# A libFuzzer target built natively as a plain program that replays its committed seeds (the
# fuzzing itself is scripts/fuzz.sh): keeps the targets compiling and their past findings fixed.
function(zentra_fuzz_replay name)
    cmake_parse_arguments(ARG "" "SEEDS" "SOURCES;LIBS" ${ARGN})
    if(CMAKE_CROSSCOMPILING)
        return()
    endif()
    add_executable(${name}_replay ${ARG_SOURCES} "${PROJECT_SOURCE_DIR}/common/fuzz/ReplayMain.cpp")
    target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
    zentra_warnings(${name}_replay)
    add_test(NAME ${name}_seeds
             COMMAND ${name}_replay "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_SEEDS}")
endfunction()
