# gradoir_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [GUI] [NO_GTEST_MAIN])
# Builds one GoogleTest executable and registers it with CTest. GUI tests run
# on Qt's offscreen platform so they need no display. NO_GTEST_MAIN: the
# sources bring their own main() (for instance to create a QApplication).
function(gradoir_add_test)
  cmake_parse_arguments(T "GUI;NO_GTEST_MAIN" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest)
  if(NOT T_NO_GTEST_MAIN)
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  if(T_GUI)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1"
    TIMEOUT 600)
endfunction()

# gradoir_add_bench(NAME name SOURCES a.cpp ... LIBS lib ...)
function(gradoir_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
