# Desktop portals over D-Bus and the PipeWire screen-cast stream.
list(APPEND HB_UI_SOURCES
  src/platform/portal/PipeWireCursorStream.cpp
  src/platform/portal/PortalGlobalHotkey.cpp
  src/platform/portal/PortalRequest.cpp
  src/platform/portal/PortalScreenCast.cpp
  src/platform/portal/PortalScreenshot.cpp
  src/platform/portal/PortalTypes.cpp)
