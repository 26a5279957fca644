# Warnings and sanitizers for everything built in this tree.
set(ZELMAR_SANITIZE "" CACHE STRING "Sanitizer build: empty, 'address' (ASan+UBSan) or 'thread' (TSan)")
set_property(CACHE ZELMAR_SANITIZE PROPERTY STRINGS "" address thread)

add_compile_options(-Wall -Wextra -Werror -Wformat=2)

# GCC 12 reports false "may be used uninitialized" warnings inside <regex> and <functional>
# when instrumenting; they stay warnings in sanitizer builds.
if(NOT ZELMAR_SANITIZE STREQUAL "")
  add_compile_options(-Wno-error=maybe-uninitialized)
endif()

if(ZELMAR_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(ZELMAR_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT ZELMAR_SANITIZE STREQUAL "")
  message(FATAL_ERROR "ZELMAR_SANITIZE must be empty, 'address' or 'thread'")
endif()

# Sanitizer test runs: what every test program gets in its environment.
set(ZELMAR_TEST_SANITIZER_ENV "")
if(ZELMAR_SANITIZE STREQUAL "thread")
  # die_after_fork=0: the hand-over tests start a second program.
  set(ZELMAR_TEST_SANITIZER_ENV
      "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp:die_after_fork=0")
elseif(ZELMAR_SANITIZE STREQUAL "address")
  # use_tls=0: the leak checker's walk of dynamic thread-local storage crashes on libraries
  # that were unloaded again (as the chemistry libraries are); without it, memory reached only
  # from thread-local storage is reported as leaked, so nothing can hide behind it.
  # print_suppressions=0: the programs the tests run (zelmar-tool) keep their standard error
  # to what they say themselves, which the tests read.
  set(ZELMAR_TEST_SANITIZER_ENV
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:use_tls=0:print_suppressions=0")
endif()

# Test helper: one GoogleTest program, discovered test by test.
function(zelmar_add_gtest name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST WORKING_DIRECTORY ${ZELMAR_BIN_DIR}
    PROPERTIES ENVIRONMENT "${ZELMAR_TEST_SANITIZER_ENV}")
endfunction()

# Test helper: one QtTest program, run offscreen.
function(zelmar_add_qtest name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE Qt6::Test)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${ZELMAR_BIN_DIR})
  # A QtTest program that skips still ends with success; ctest should show it as skipped.
  # Each program's main windows listen on a name of their own, so that programs running at
  # the same time never take each other's open requests.
  string(MD5 scope "${CMAKE_BINARY_DIR}/${name}")
  string(SUBSTRING "${scope}" 0 12 scope)
  # Each also keeps its user settings (recent files, zoom, column kinds) in a folder of its own,
  # never in the user's.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZELMAR_INSTANCE_SCOPE=-${scope};XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-settings/${name};${ZELMAR_TEST_SANITIZER_ENV}"
    SKIP_REGULAR_EXPRESSION "SKIP   : "
    LABELS window)
endfunction()

# Test programs that run the browser engine in-process. Its own code (not built with the
# sanitizer) frees some objects through a base of another size when a page is discarded; that
# report is about the engine, not about us.
function(zelmar_browser_test name)
  if(ZELMAR_SANITIZE STREQUAL "address")
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "ASAN_OPTIONS=new_delete_type_mismatch=0")
  endif()
endfunction()
