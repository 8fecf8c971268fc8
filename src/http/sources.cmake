list(APPEND HB_UI_SOURCES
  src/http/HttpClient.cpp)
