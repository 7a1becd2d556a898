# cpack -G DEB: one package with the three programs. The library dependencies come from
# dpkg-shlibdeps reading the binaries; the font is named because the layout was
# measured in Arial and Liberation Sans has its metrics.
set(CPACK_PACKAGE_NAME brelvox)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Brelvox developers")
set(CPACK_PACKAGE_CONTACT "The Brelvox developers <brelvox@ostrel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-guessing game with a pool-billiards theme")
set(CPACK_PACKAGE_DESCRIPTION
    "Find five-letter words with a given first letter to pocket numbered pool
balls on an animated table, alone against the computer player Dira or with up
to five players and any number of spectators over the network, with chat and
chatter sounds. Four game types: Nine Ball, Race to 9, Most Balls Pocketed and
the High Score Game. Includes brelvox-server, which hosts a game without a
screen, and brelvox-tally, which shows the tally of wins and losses.")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.ostrel.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
# The server's unit: stopped on removal, its enablement gone with a purge.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/assets/package/postinst ${PROJECT_SOURCE_DIR}/assets/package/prerm
    ${PROJECT_SOURCE_DIR}/assets/package/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
include(CPack)
