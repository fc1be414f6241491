# Windows-side tests. The win64 build runs them under wine64; the win32 build
# cannot run them here, so it checks its binaries statically and lists the
# same runs for the emulated 32-bit guest.

set(HOMEURL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)

# SHIORI modules of our own, which answer from files beside them and journal
# every call they get.
function(add_journal_module name)
  add_library(${name} SHARED modules/journal_module.cpp)
  set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_compile_definitions(${name} PRIVATE ${ARGN})
  target_link_options(${name} PRIVATE -static -s)
endfunction()
add_journal_module(journal_module)
add_journal_module(journal_no_load OMIT_LOAD)
add_journal_module(journal_no_unload OMIT_UNLOAD)
add_journal_module(journal_no_request OMIT_REQUEST)
set(HOMEURL_TEST_MODULES journal_module journal_no_load journal_no_unload journal_no_request)

add_executable(win_tests
  win/test_support.cpp
  win/read_whole_file_test.cpp
  win/run_test.cpp)
target_link_libraries(win_tests PRIVATE homeurl_win GTest::gtest_main)
add_dependencies(win_tests ${HOMEURL_TEST_MODULES})

add_executable(e2e_tests win/test_support.cpp win/e2e_test.cpp win/e2e_module_test.cpp)
target_link_libraries(e2e_tests PRIVATE homeurl_core GTest::gtest_main)
add_dependencies(e2e_tests homeurl ${HOMEURL_TEST_MODULES})

# Each run: a name, the ANSI code page's locale, the executable.
set(HOMEURL_WINDOWS_RUNS
  "unit_cp932 ja_JP.UTF-8 unit_tests"
  "win_cp932 ja_JP.UTF-8 win_tests"
  "e2e_cp932 ja_JP.UTF-8 e2e_tests"
  "e2e_cp1252 C.UTF-8 e2e_tests")

# The shipped binaries: machine, console subsystem, and nothing imported beyond
# KERNEL32 and msvcrt.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(pe_machine i386)
else()
  set(pe_machine x86-64)
endif()
add_test(NAME pe_homeurl
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.sh ${HOMEURL_OBJDUMP} $<TARGET_FILE:homeurl> ${pe_machine} console)
foreach(module ${HOMEURL_TEST_MODULES})
  add_test(NAME pe_${module}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.sh ${HOMEURL_OBJDUMP} $<TARGET_FILE:${module}> ${pe_machine} dll)
endforeach()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Read by the guest runner: one run a line, "name locale executable".
  list(JOIN HOMEURL_WINDOWS_RUNS "\n" runs)
  file(WRITE ${CMAKE_BINARY_DIR}/guest-runs.txt "${runs}\n")
  # Those runs, for real, under wine32 in an emulated x86-64 guest. The first
  # run on a machine builds the guest image (about 5 minutes), hence the limit.
  add_test(NAME guest_i686
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/../scripts/guest-run-suite ${CMAKE_BINARY_DIR})
  set_tests_properties(guest_i686 PROPERTIES TIMEOUT 3600)
  return()
endif()

add_test(NAME wine_prefix
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/../scripts/wine-prefix ${HOMEURL_WINE_PREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)

foreach(run ${HOMEURL_WINDOWS_RUNS})
  separate_arguments(run)
  list(GET run 0 name)
  list(GET run 1 locale)
  list(GET run 2 executable)
  add_test(NAME ${name} COMMAND ${executable})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine
    ENVIRONMENT "WINEPREFIX=${HOMEURL_WINE_PREFIX};WINEDEBUG=-all;LC_ALL=${locale}")
endforeach()
