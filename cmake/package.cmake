# The Debian package, built by tools/package: `cpack -G DEB` in a Release tree
# configured with the prefix /usr. The library dependencies come from
# dpkg-shlibdeps; the rest are what the game loads by name at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME barmen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Barmen maintainers <maintainers@users.noreply.c-seed-70d29fdc.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "short Korean visual novel in an enchanted forest")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A hero wakes in a forest without his memory. The sorceress Meard knows him
better than he knows himself, and her own barrier keeps turning the forest's
crossroads back on themselves. At the end of the way a golem waits for a duel
of attack, dodge and charge.
.
The story is told in Korean. Each player's save lies in
~/.local/share/barmen.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# NanumGothic stands in for the story's Korean fonts; Qt's own Korean
# translations label the buttons of the game's message boxes; the xcb and
# Wayland platform plugins open the window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum, qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
