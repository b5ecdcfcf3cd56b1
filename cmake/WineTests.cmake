# The tests that run Windows programs under Wine share one booted prefix per build: a fixture
# whose setup test boots it once into <build>/wine-prefix (tools/wine-template), each test
# copies it into its own temp folder (WS_TEMPLATE, read by tools/wine-session), and the
# cleanup test removes it. A Wine test script exits with 77 when this machine cannot run its
# width (32-bit programs on a kernel without IA-32 emulation): CTest counts it as skipped.
# Each tests/ folder includes it (its variables are per folder); the fixture's own tests are
# added once, by the first call.

find_program(VANTREL_BASH bash REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VANTREL_WINE_ARCH win64)
else()
  set(VANTREL_WINE_ARCH win32)
endif()
set(VANTREL_WINE_SKIP_CODE 77)
set(VANTREL_WINE_FIXTURE wine_prefix_${VANTREL_WINE_ARCH})
set(VANTREL_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-prefix)

# vantrel_wine_tests(<test>...): the tests copy the build's booted prefix and show as skipped
# where their width cannot run. Call it after the tests' own set_tests_properties (ENVIRONMENT
# there stays untouched).
function(vantrel_wine_tests)
  get_property(have_fixture GLOBAL PROPERTY VANTREL_WINE_FIXTURE_ADDED)
  if(NOT have_fixture)
    set_property(GLOBAL PROPERTY VANTREL_WINE_FIXTURE_ADDED TRUE)
    add_test(NAME ${VANTREL_WINE_FIXTURE}_boot
             COMMAND ${VANTREL_BASH} ${PROJECT_SOURCE_DIR}/tools/wine-template
                     ${VANTREL_WINE_TEMPLATE} ${VANTREL_WINE_ARCH})
    # A boot takes 15-60 s; RUN_SERIAL keeps it off the cores of a timing test.
    set_tests_properties(${VANTREL_WINE_FIXTURE}_boot PROPERTIES
                         FIXTURES_SETUP ${VANTREL_WINE_FIXTURE}
                         SKIP_RETURN_CODE ${VANTREL_WINE_SKIP_CODE}
                         TIMEOUT 300
                         RUN_SERIAL TRUE)
    add_test(NAME ${VANTREL_WINE_FIXTURE}_remove
             COMMAND ${CMAKE_COMMAND} -E rm -rf ${VANTREL_WINE_TEMPLATE})
    set_tests_properties(${VANTREL_WINE_FIXTURE}_remove PROPERTIES
                         FIXTURES_CLEANUP ${VANTREL_WINE_FIXTURE})
  endif()
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED ${VANTREL_WINE_FIXTURE})
    set_property(TEST ${test} PROPERTY SKIP_RETURN_CODE ${VANTREL_WINE_SKIP_CODE})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
                 WS_TEMPLATE=set:${VANTREL_WINE_TEMPLATE})
  endforeach()
endfunction()
