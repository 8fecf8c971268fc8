list(APPEND HB_CORE_SOURCES
  src/app/CommandLine.cpp)
list(APPEND HB_UI_SOURCES
  src/app/reMainForm.cpp
  src/app/MainFormConfig.cpp
  src/app/MainFormExchange.cpp
  src/app/MainFormList.cpp
  src/app/MainFormManager.cpp
  src/app/MainFormUpdate.cpp
  src/app/Application.cpp)
