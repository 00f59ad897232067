# The Debian package: `cpack -G DEB` in a build folder configured for Release.
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VENDOR "The Tolvane developers")
set(CPACK_PACKAGE_CONTACT "The Tolvane developers <support@tolvane.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bible reading, search and study program")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tolvane.example.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The synopsis is the summary above; CPack indents these lines and marks the empty ones.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tolvane searches Bible translations with every term highlighted in its own
colour, shows a passage in every translation side by side, looks up
commentaries, dictionary entries and the meaning of Bible names, shows maps
and translation notes, and keeps a private prayer diary.

It ships with a public-domain library: the King James Version, the World
English Bible, the Reina-Valera 1909, a concise commentary, a topical
dictionary, a Bible-names module, translation notes and maps.

tolvane-cli runs the same search, passage view and checks from the command
line.")
# The libraries are found by dpkg-shlibdeps; what is loaded at run time as a plug-in is not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good, fonts-dejavu-core")
set(CPACK_GENERATOR DEB)
include(CPack)
