list(APPEND HB_UI_SOURCES
  src/config/AboutDialog.cpp
  src/config/SettingsStore.cpp
  src/config/ShortcutSetting.cpp
  src/config/TextFile.cpp
  src/config/Translations.cpp
  src/config/LoginStart.cpp
  src/config/LoginStartSwitch.cpp
  src/config/LanguageService.cpp)
if(WIN32)
  # "Start at login" is a value of the registry's Run key there.
  list(TRANSFORM HB_UI_SOURCES REPLACE "^src/config/LoginStart.cpp$" "src/config/LoginStartWindows.cpp")
endif()

