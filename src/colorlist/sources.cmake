list(APPEND HB_CORE_SOURCES
  src/colorlist/ColorListOps.cpp)
list(APPEND HB_UI_SOURCES
  src/colorlist/ColorGrid.cpp
  src/colorlist/ColorListController.cpp
  src/colorlist/ColorListModel.cpp
  src/colorlist/ListManagerWindow.cpp)
