# The pure code's tests, with the same tables as on Linux, for a build that
# has no Qt: they show where another C runtime would change a printed figure.
set(gtest_force_shared_crt OFF)
set(INSTALL_GTEST OFF)
set(BUILD_GMOCK OFF)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_library(ondulane_pure STATIC model/fixed_format.cpp model/line_model.cpp
  model/resistances.cpp dialogs/value_text.cpp)
target_include_directories(ondulane_pure PUBLIC ${CMAKE_SOURCE_DIR})
add_executable(pure_tests ${CMAKE_SOURCE_DIR}/tests/model/fixed_format_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/model/line_model_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/dialogs/value_text_test.cpp)
target_link_libraries(pure_tests PRIVATE ondulane_pure gtest_main)
enable_testing()
# Run by the toolchain's emulator: Wine, or Node.
add_test(NAME pure_tests COMMAND pure_tests)
