list(APPEND HB_CORE_SOURCES
  src/color/ColorMath.cpp
  src/color/ColorCodes.cpp
  src/color/ColorContrast.cpp
  src/color/CssColor.cpp
  src/color/ColorNames.cpp
  src/color/AreaAverage.cpp)
# A fused multiply-add changes the last digit of some codes.
set_source_files_properties(src/color/ColorMath.cpp src/color/ColorCodes.cpp src/color/ColorContrast.cpp
  src/color/CssColor.cpp src/color/ColorNames.cpp src/color/AreaAverage.cpp
  PROPERTIES COMPILE_OPTIONS "-ffp-contract=off")
