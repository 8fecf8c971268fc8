list(APPEND HB_CORE_SOURCES
  src/text/Digits.cpp
  src/text/RegularFileCommon.cpp)
if(WIN32)
  list(APPEND HB_CORE_SOURCES src/text/RegularFileWindows.cpp)
else()
  list(APPEND HB_CORE_SOURCES src/text/RegularFile.cpp)
endif()
