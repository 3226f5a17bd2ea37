# Common compile settings of every target of the project.
function(rackwright_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(RACKWRIGHT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(RACKWRIGHT_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# The 3-D libraries keep their float results identical between machines.
function(rackwright_3d_defaults target)
  rackwright_target_defaults(${target})
  target_compile_options(${target} PRIVATE -ffp-contract=off)
endfunction()

# Every test program's own code. It is built lightly optimised whatever the
# build type: the libraries it tests keep their own optimisation, and building
# the test code at -O2 costs about half of the tests' build time for nothing
# the tests check.
function(rackwright_test_defaults target)
  rackwright_target_defaults(${target})
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${target} PRIVATE -Og)
  endif()
endfunction()

# A test program once more as one whole process, all its tests in one run: a
# test that leaves something behind for the next fails here, where one process
# per test case hides it. The longest entries, so ctest starts them first.
# rackwright_add_whole_test(name [ENVIRONMENT var=value...] [LABELS label...])
function(rackwright_add_whole_test name)
  cmake_parse_arguments(ARG "" "" "ENVIRONMENT;LABELS" ${ARGN})
  add_test(NAME ${name}_whole COMMAND ${name})
  set_tests_properties(${name}_whole PROPERTIES COST 1000 ENVIRONMENT "${ARG_ENVIRONMENT}")
  if(ARG_LABELS)
    set_tests_properties(${name}_whole PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# A GoogleTest executable registered with CTest, one CTest entry per test case,
# and once more whole (a QT or LOCALE program's whole run is under a comma locale).
# rackwright_add_test(name [QT [MAIN main.cpp] | LOCALE] [GL] SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS gl])
# QT: the program gets the shared test main that creates its one QApplication
# (or MAIN, a main of its own that does), and runs whole under a comma locale.
# GL: the program draws through the 3-D library, which it ends after its last test.
# LOCALE: the program takes its locale from the environment, and runs once more
# whole under a comma locale.
function(rackwright_add_test name)
  cmake_parse_arguments(ARG "QT;LOCALE;GL" "MAIN" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARG_QT)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    if(NOT ARG_MAIN)
      set(ARG_MAIN ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp)
    endif()
    add_executable(${name} ${ARG_SOURCES} ${ARG_MAIN})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Widgets GTest::gtest)
  elseif(ARG_LOCALE)
    add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/environment_locale_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
    add_test(NAME ${name}_comma_locale COMMAND ${name})
    set_tests_properties(${name}_comma_locale PROPERTIES COST 1000 ENVIRONMENT
                         "LC_ALL=de_DE.UTF-8;RACKWRIGHT_SOURCE_DIR=${PROJECT_SOURCE_DIR};RACKWRIGHT_STAGE_DIR=${RACKWRIGHT_STAGE_DIR}")
  else()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  if(ARG_GL)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/gl_finalization.cpp)
  endif()
  rackwright_test_defaults(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # One variable per property: test discovery splits a list value into separate arguments.
  set(properties ENVIRONMENT "RACKWRIGHT_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                 ENVIRONMENT_MODIFICATION "RACKWRIGHT_STAGE_DIR=set:${RACKWRIGHT_STAGE_DIR}")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
  if(NOT ARG_LOCALE)
    # Qt takes the process locale from the environment, which test.sh pins for
    # the single cases: a Qt program's whole run is under a comma locale.
    set(whole_locale)
    if(ARG_QT)
      set(whole_locale "LC_ALL=de_DE.UTF-8")
    endif()
    rackwright_add_whole_test(${name} ENVIRONMENT "RACKWRIGHT_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                              "RACKWRIGHT_STAGE_DIR=${RACKWRIGHT_STAGE_DIR}" ${whole_locale} LABELS ${ARG_LABELS})
  endif()
endfunction()
