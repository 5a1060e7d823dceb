# SPDX-License-Identifier: GPL-3.0-or-later
# The fuzz targets' sources, one per reader of outside data: built into the
# libFuzzer programs (fuzz/CMakeLists.txt) and replayed by the tests
# (fuzz/Robustness.cmake).
set(VELMORA_FUZZ_TARGET_SOURCES
    CalculateTarget.cpp CoreDbTarget.cpp Cp1251Target.cpp DetailsConfigTarget.cpp HugeTarget.cpp KeyedTextTarget.cpp LanguageTarget.cpp
    MasTarget.cpp MaterialTarget.cpp SettingsTarget.cpp WireTarget.cpp)
# The report's target draws with Qt, the kept dialog fonts are read with Qt:
# only where the window is built.
set(VELMORA_FUZZ_TARGET_LIBRARIES velmora_present velmora_calc velmora_data velmora_lang velmora_mas velmora_settings velmora_textfile)
if(VELMORA_BUILD_GUI)
  list(APPEND VELMORA_FUZZ_TARGET_SOURCES ReportTarget.cpp DialogFontsTarget.cpp)
  list(APPEND VELMORA_FUZZ_TARGET_LIBRARIES velmora_report velmora_reportrender velmora_ui Qt6::Gui)
endif()
list(TRANSFORM VELMORA_FUZZ_TARGET_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/fuzz/targets/)
if(VELMORA_BUILD_GUI)
  list(APPEND VELMORA_FUZZ_TARGET_SOURCES ${CMAKE_SOURCE_DIR}/src/ui/qt/QtDialogFontCache.cpp)
endif()
