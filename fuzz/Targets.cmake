# SPDX-License-Identifier: GPL-3.0-or-later
# The fuzz targets' sources, one per reader of outside data: built into the
# libFuzzer programs (fuzz/CMakeLists.txt) and replayed by the tests
# (fuzz/Robustness.cmake).
set(VELMORA_FUZZ_TARGET_SOURCES
    CalculateTarget.cpp CoreDbTarget.cpp Cp1251Target.cpp HugeTarget.cpp KeyedTextTarget.cpp LanguageTarget.cpp
    MaterialTarget.cpp SettingsTarget.cpp WireTarget.cpp)
list(TRANSFORM VELMORA_FUZZ_TARGET_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/fuzz/targets/)
