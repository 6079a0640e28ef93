# gradoir_add_test(NAME name SOURCES a.cpp ... LIBS lib ...
#                  [MAIN core|gui|widgets] [GUI] [NO_GTEST_MAIN] [SHARDS n])
#
# Builds one GoogleTest program and registers it with CTest. Tests run on
# Qt's offscreen platform, so they need no display. SHARDS n registers it
# as n CTest tests, name_shard_0 to name_shard_<n-1>, that ctest runs side by
# side and starts before the rest: GoogleTest hands each of them every n-th
# test (GTEST_TOTAL_SHARDS, GTEST_SHARD_INDEX), so that a long program of
# many tests, or of one parameterised test, does not hold up the run.
# main() comes from:
#   (none of these)  GoogleTest itself: no Qt application;
#   MAIN core        a QCoreApplication (SQL drivers, standard paths, event loops);
#   MAIN gui         a QGuiApplication (fonts, images, the palette);
#   MAIN widgets     a QApplication, with XDG_DATA_HOME in a folder of the
#                    run's own, since windows record into the default results file;
#   NO_GTEST_MAIN    the sources themselves.
# GUI links Qt Test (MAIN widgets does too). Tests that open the program's
# main window, from any folder, link the window fixture and modal answering
# (tests/app/main_window_fixture.h, modal_answer.h):
#
#   gradoir_add_test(NAME series_window_test MAIN widgets
#     SOURCES series_window_test.cpp LIBS gradoir_window_fixture)
#
# The mains and the fixture are libraries built once per build
# (tests/support/CMakeLists.txt): they replace the test_main.cpp,
# main_window_fixture.cpp and modal_answer.cpp that test programs used to
# list in SOURCES. Every test program reuses precompiled GoogleTest and Qt
# headers (those of MAIN widgets with Qt Test, else those of MAIN core), so
# a test file compiles mostly its own code. Since they come before every
# test file, a missing #include shows only in a build configured with
# -DGRADOIR_TEST_PCH=OFF.
option(GRADOIR_TEST_PCH "Precompile GoogleTest's and Qt's headers for the tests" ON)
function(gradoir_add_test)
  cmake_parse_arguments(T "GUI;NO_GTEST_MAIN" "NAME;MAIN;SHARDS" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest)
  if(T_MAIN)
    if(NOT T_MAIN MATCHES "^(core|gui|widgets)$")
      message(FATAL_ERROR "gradoir_add_test(${T_NAME}): MAIN is core, gui or widgets, not ${T_MAIN}")
    endif()
    target_link_libraries(${T_NAME} PRIVATE gradoir_test_main_${T_MAIN})
  elseif(NOT T_NO_GTEST_MAIN)
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  if(T_GUI OR T_MAIN STREQUAL "widgets")
    find_package(Qt6 REQUIRED COMPONENTS Test)
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test)
    gradoir_test_reuse_headers(${T_NAME} widgets)
  else()
    gradoir_test_reuse_headers(${T_NAME} core)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
  if(NOT T_SHARDS)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 600)
    return()
  endif()
  math(EXPR last "${T_SHARDS} - 1")
  foreach(shard RANGE ${last})
    add_test(NAME ${T_NAME}_shard_${shard} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME}_shard_${shard} PROPERTIES
      ENVIRONMENT "${environment};GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${shard}"
      TIMEOUT 600 COST 1000)
  endforeach()
endfunction()

# gradoir_test_reuse_headers(TARGET core|widgets): the precompiled headers
# of that kind of test (widgets for a program that links Qt Test), for a
# test program built without gradoir_add_test.
function(gradoir_test_reuse_headers target kind)
  if(GRADOIR_TEST_PCH)
    target_precompile_headers(${target} REUSE_FROM gradoir_test_main_${kind})
    # The moc files of Qt's automatic moc include what they need; loading the
    # precompiled headers for them costs more than it saves.
    gradoir_moc_without_pch(${target})
  endif()
  gradoir_test_same_definitions(${target})
endfunction()

function(gradoir_moc_without_pch target)
  get_target_property(binary_dir ${target} BINARY_DIR)
  set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
    TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# Qt Test hands each program its own build and source folders as macros, for
# QFINDTESTDATA and QTEST_MAIN, which these tests do not use (a test that
# needs a folder gets it as a definition of its own). Without them every
# test program compiles with the same definitions, which shared precompiled
# headers need.
function(gradoir_test_same_definitions target)
  target_compile_options(${target} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
endfunction()

# gradoir_add_bench(NAME name SOURCES a.cpp ... LIBS lib ...)
function(gradoir_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
