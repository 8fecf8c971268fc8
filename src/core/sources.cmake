# The Qt-free core (huebird_core): colour maths and codes, list operations,
# list files, palettes and exports, settings and language files, update
# verdicts, command-line parsing and small text helpers. Its folders mirror the
# subsystems above it; nothing here may include Qt or link it.
list(APPEND HB_CORE_SOURCES
  src/core/app/CommandLine.cpp
  src/core/exchange/ColorListFile.cpp
  src/core/exchange/ColorExport.cpp
  src/core/colorlist/ColorListOps.cpp
  src/core/update/Scrambling.cpp
  src/core/update/UpdateVerdict.cpp
  src/core/config/ProgramPaths.cpp
  src/core/config/MessageText.cpp
  src/core/config/UiTexts.cpp
  src/core/config/SettingsLocation.cpp
  src/core/config/AutostartEntry.cpp
  src/core/config/IniLines.cpp
  src/core/config/SettingsFile.cpp
  src/core/config/ShortcutText.cpp
  src/core/config/LanguageFile.cpp
  src/core/config/LanguageDetection.cpp
  src/core/ui/JpegImage.cpp
  src/core/platform/CaptureModes.cpp
  src/core/platform/HomeFolder.cpp
  src/core/platform/KeyRepeat.cpp
  src/core/platform/ScreenMapping.cpp
  src/core/platform/SingleInstance.cpp
  src/core/platform/TrueColorLayout.cpp
  src/core/color/ColorMath.cpp
  src/core/color/ColorCodes.cpp
  src/core/color/ColorContrast.cpp
  src/core/color/CssColor.cpp
  src/core/color/ColorNames.cpp
  src/core/color/ColorVision.cpp
  src/core/color/AreaAverage.cpp
  src/core/text/Digits.cpp
  src/core/text/RegularFileCommon.cpp)
if(WIN32)
  list(REMOVE_ITEM HB_CORE_SOURCES src/core/platform/SingleInstance.cpp src/core/platform/HomeFolder.cpp)
  list(APPEND HB_CORE_SOURCES src/core/text/RegularFileWindows.cpp
    src/core/platform/win/WinSingleInstance.cpp src/core/platform/win/WinHomeFolder.cpp)
else()
  list(APPEND HB_CORE_SOURCES src/core/text/RegularFile.cpp)
endif()
# A fused multiply-add changes the last digit of some codes.
set_source_files_properties(src/core/color/ColorMath.cpp src/core/color/ColorCodes.cpp
  src/core/color/ColorContrast.cpp src/core/color/CssColor.cpp src/core/color/ColorNames.cpp
  src/core/color/ColorVision.cpp src/core/color/AreaAverage.cpp
  PROPERTIES COMPILE_OPTIONS "-ffp-contract=off")

# The English language file, compiled in: the one list of the texts, whose
# words stand in for whatever another language file leaves out.
set(HB_ENGLISH_LANGUAGE_PATH ${CMAKE_CURRENT_LIST_DIR}/../../data/language/lang_en.txt)
file(READ ${HB_ENGLISH_LANGUAGE_PATH} HB_ENGLISH_LANGUAGE_FILE)
set(HB_CORE_GENERATED_INCLUDE_DIR ${CMAKE_CURRENT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/config/BuiltInEnglish.h.in
               ${HB_CORE_GENERATED_INCLUDE_DIR}/core/config/BuiltInEnglish.h @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HB_ENGLISH_LANGUAGE_PATH})
