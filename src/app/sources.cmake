list(APPEND HB_CORE_SOURCES
  src/app/AppSettings.cpp
  src/app/CommandLine.cpp
  src/app/MessageText.cpp
  src/app/JpegImage.cpp)
list(APPEND HB_UI_SOURCES
  src/app/Messages.cpp
  src/app/QtImages.cpp
  src/app/GlyphText.cpp
  src/app/Widgets.cpp
  src/app/reMainForm.cpp
  src/app/Application.cpp)
list(APPEND HB_UI_RESOURCES
  data/images/about.jpg
  data/images/background.jpg
  data/images/logo.jpg)
