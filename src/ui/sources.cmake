list(APPEND HB_UI_SOURCES
  src/ui/GlyphAtlas.cpp
  src/ui/QtImages.cpp
  src/ui/QtPrompts.cpp
  src/ui/QtTickPresenter.cpp
  src/ui/TickCompositor.cpp
  src/ui/ColorSwatch.cpp
  src/ui/PanelStatusBar.cpp
  src/ui/PictureView.cpp
  src/ui/WidgetHelpers.cpp)
list(APPEND HB_UI_RESOURCES
  data/images/about.jpg
  data/images/background.jpg
  data/images/logo.jpg)
