list(APPEND HB_CORE_SOURCES
  src/text/Digits.cpp
  src/text/RegularFile.cpp)
