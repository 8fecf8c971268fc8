list(APPEND HB_UI_SOURCES
  src/colorlist/ColorGrid.cpp
  src/colorlist/ColorListController.cpp
  src/colorlist/ColorListModel.cpp
  src/colorlist/ListManagerWindow.cpp)
