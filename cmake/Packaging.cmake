# Installation of the two programs and the Debian package (scripts/package).
include(GNUInstallDirs)
install(TARGETS zettelino zettelino-print RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The batch tool's toolkit half: started by zettelino-print, not by users.
install(TARGETS zettelino-print-window RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zettelino)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zettelino)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Die Zettelino-Entwickler")
set(CPACK_PACKAGE_CONTACT "Die Zettelino-Entwickler <zettelino@zettelino.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fill in, print and preview German office short letters")
set(CPACK_PACKAGE_DESCRIPTION "Zettelino fills in the German office short letter (Kurzmitteilung):
sender and recipient blocks, two subject lines, place and date, a free
message and the tick-mark boxes. It prints the letter on A4 pages,
previews them, saves them as a saved report file and hands the letter
as plain text to the text editor or the mail program. The interface is
German. zettelino-print writes, renders and prints letters and saved
report files without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zettelino.example.org/")
# The libraries from the programs themselves; the fonts are part of the
# layout, so they are a dependency, not a recommendation.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# Qt's German texts for the file dialogs; xdg-open for the hand-offs.
# qt6-wayland: without it a Wayland session runs the window through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland, xdg-utils, hunspell-de-de")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
