# The Debian binary package, made by `cpack -G DEB` (scripts/package).
set(CPACK_PACKAGE_NAME korvalisedit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The KorvalisEdit developers")
set(CPACK_PACKAGE_CONTACT "KorvalisEdit developers <dev@korvalisedit.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of the Korvalis fishing game's item files")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary first; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Korvalis Editor creates, opens, checks and saves the data files of the
Korvalis fishing game: hooks, baits, floats, sinkers, rods, reels,
groundbaits, venues and fish-presence lists, each in its own editor
window, in Italian or English. Items are shared as zip archives, and a
command-line checker finds what the game would read wrongly.")
# Libraries come from dpkg-shlibdeps; the archive tools are started, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "zip, unzip")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
