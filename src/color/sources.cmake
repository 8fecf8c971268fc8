list(APPEND HB_CORE_SOURCES
  src/color/uColorToolsUtils.cpp
  src/color/ColorCodes.cpp)
