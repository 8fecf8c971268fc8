# The Debian package (`make deb`, scripts/build-deb.sh): what CPack's DEB
# generator puts in the control file.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME huebird-lite)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ondrel Team")
set(CPACK_PACKAGE_CONTACT "Ondrel Team <huebird-lite@example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour picker with a magnifier and a capture hotkey")
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Huebird Lite is a small, fast colour picker. Its window follows the mouse
over the whole screen and shows a magnifier of the pixels around the
cursor, a swatch of the colour under it and that colour's code in one of
eleven notations (HTML, RGB, HSB/HSV, HSL, CMYK, LAB and more).

A system-wide hotkey captures the colour under the cursor from any
application into a list, which can be reordered, saved as a text file,
loaded again (also GIMP palettes) and copied to the clipboard. The
huebird-code command converts colours between the notations in a shell.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://huebird.example.com/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's X11 and Wayland
# platform plugins, a font Qt can draw with, the icon theme the icons go into.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
