# Adds each listed folder that carries a CMakeLists.txt.
function(lp_add_subdirectories)
    foreach(dir IN LISTS ARGN)
        if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()

# Adds every direct subfolder that carries a CMakeLists.txt.
function(lp_add_all_subdirectories)
    file(GLOB children LIST_DIRECTORIES true RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}"
         "${CMAKE_CURRENT_SOURCE_DIR}/*")
    list(SORT children)
    foreach(child IN LISTS children)
        if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt")
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()

set(LP_LSAN_SUPPRESSIONS "${PROJECT_SOURCE_DIR}/.ci/lsan.supp")

# lp_add_test(NAME <name> SOURCES <files...> LIBRARIES <targets...>)
# Builds tst_<name> and registers it with CTest to run headless. Tests run in the caller's
# locale: they must pass in any, a comma-decimal one included.
function(lp_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
    set(target tst_${ARG_NAME})
    # A dialog no test answers fails the test at once rather than hanging it.
    add_executable(${target} ${ARG_SOURCES}
        ${PROJECT_SOURCE_DIR}/tests/support/unexpecteddialogguard.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/unexpecteddialogguard.h)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_link_libraries(${target} PRIVATE Qt::Test Qt::Widgets ${ARG_LIBRARIES})
    add_test(NAME ${ARG_NAME} COMMAND ${target})
    set(env
        "QT_QPA_PLATFORM=offscreen"
        "QT_QPA_PLATFORMTHEME="
        "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_odr_violation=0"
        "LSAN_OPTIONS=suppressions=${LP_LSAN_SUPPRESSIONS}:print_suppressions=0:fast_unwind_on_malloc=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    # The longest test takes about ten seconds; the sanitizers slow every test down.
    set(timeout 45)
    if(LP_SANITIZE)
        set(timeout 120)
    endif()
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${timeout})
endfunction()

# Tests that load the built plug-in through the reference host's loader need its path.
function(lp_use_plugin target)
    add_dependencies(${target} loadpulleditor)
    target_compile_definitions(${target} PRIVATE
        LP_PLUGIN_PATH="$<TARGET_FILE:loadpulleditor>")
endfunction()

# lp_add_fuzzer(NAME <name> SOURCES <files...> LIBRARIES <targets...>)
# Builds the libFuzzer harness fuzz_<name>; its dictionary and seed corpus lie beside it
# (<name>.dict, corpus/), where scripts/fuzz.sh finds them.
function(lp_add_fuzzer)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
    set(target fuzz_${ARG_NAME})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz) # fuzzcheck.h
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endfunction()

# Fails the configuration when `target`, or anything it links, links one of the `forbidden`
# targets: the layers below the editor's widgets stay free of widgets.
function(lp_forbid_links target)
    set(pending ${target})
    set(seen)
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(links ${current} LINK_LIBRARIES)
        foreach(link IN LISTS links)
            if(link IN_LIST ARGN)
                message(FATAL_ERROR "${target} links ${link} (through ${current})")
            endif()
            list(APPEND pending ${link})
        endforeach()
    endwhile()
endfunction()
