list(APPEND HB_CORE_SOURCES
  src/config/ProgramPaths.cpp
  src/config/MessageText.cpp
  src/config/UiTexts.cpp
  src/config/SettingsLocation.cpp
  src/config/AutostartEntry.cpp
  src/config/IniLines.cpp
  src/config/SettingsFile.cpp
  src/config/LanguageFile.cpp
  src/config/LanguageDetection.cpp)
list(APPEND HB_UI_SOURCES
  src/config/AboutDialog.cpp
  src/config/SettingsStore.cpp
  src/config/TextFile.cpp
  src/config/Translations.cpp
  src/config/LoginStart.cpp
  src/config/LoginStartSwitch.cpp
  src/config/LanguageService.cpp)
if(WIN32)
  # "Start at login" is a value of the registry's Run key there.
  list(TRANSFORM HB_UI_SOURCES REPLACE "^src/config/LoginStart.cpp$" "src/config/LoginStartWindows.cpp")
endif()

# The English language file, compiled in: its texts stand in for whatever
# another language file leaves out.
set(HB_ENGLISH_LANGUAGE_PATH ${CMAKE_CURRENT_LIST_DIR}/../../data/language/lang_en.txt)
file(READ ${HB_ENGLISH_LANGUAGE_PATH} HB_ENGLISH_LANGUAGE_FILE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/EnglishLanguageFile.cpp.in
               ${CMAKE_CURRENT_BINARY_DIR}/generated/EnglishLanguageFile.cpp @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HB_ENGLISH_LANGUAGE_PATH})
list(APPEND HB_CORE_SOURCES ${CMAKE_CURRENT_BINARY_DIR}/generated/EnglishLanguageFile.cpp)
