# SPDX-License-Identifier: GPL-3.0-or-later
# Included by tests/CMakeLists.txt: the robustness tests.
#  - test_fuzz_replay: the kept fuzz inputs (fuzz/corpus, fuzz/regressions)
#    through their targets, in every build, without libFuzzer;
#  - test_robust (tests/robust): interrupted and failing writes of every
#    writer of the window, and the random drive of the main window.
include(${CMAKE_SOURCE_DIR}/fuzz/Targets.cmake)
add_executable(test_fuzz_replay ${CMAKE_SOURCE_DIR}/fuzz/ReplayTest.cpp ${VELMORA_FUZZ_TARGET_SOURCES})
target_include_directories(test_fuzz_replay PRIVATE ${CMAKE_SOURCE_DIR}/fuzz)
target_link_libraries(test_fuzz_replay PRIVATE ${VELMORA_FUZZ_TARGET_LIBRARIES} GTest::gtest GTest::gtest_main)
if(VELMORA_BUILD_GUI)
  target_compile_definitions(test_fuzz_replay PRIVATE VELMORA_FUZZ_REPORT=1)
endif()
target_compile_definitions(test_fuzz_replay PRIVATE VELMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME test_fuzz_replay COMMAND test_fuzz_replay)

velmora_test(test_robust
  SOURCES robust/BadInputTest.cpp robust/RandomDriveTest.cpp robust/RegressionTest.cpp robust/SharedDatabaseDriveTest.cpp
          robust/SpecialFileTest.cpp
          robust/WriterFaultTest.cpp
  DEPENDS velmora_app)
# A short drive with a fixed seed; VELMORA_DRIVE_SEED / VELMORA_DRIVE_ACTIONS
# choose another when the test is run by hand.
set_tests_properties(test_robust PROPERTIES TIMEOUT 600)
