list(APPEND HB_UI_SOURCES
  src/exchange/ListFileService.cpp)
