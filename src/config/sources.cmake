list(APPEND HB_CORE_SOURCES
  src/config/UiTexts.cpp
  src/config/SettingsLocation.cpp
  src/config/AutostartEntry.cpp
  src/config/IniLines.cpp
  src/config/SettingsFile.cpp
  src/config/LanguageFile.cpp
  src/config/LanguageDetection.cpp)
list(APPEND HB_UI_SOURCES
  src/config/DesktopHooks.cpp
  src/config/MainFormConfig.cpp
  src/config/reFormAbout.cpp
  src/config/LoginStart.cpp)
