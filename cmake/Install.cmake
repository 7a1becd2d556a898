# The installed layout: three programs, the desktop entry, AppStream metainfo, hicolor
# icons, man pages and the copyright file. Word lists, sounds and pictures stay inside
# the programs.
set(BRELVOX_APP_ID example.ostrel.Brelvox)
set(desktop_dir ${PROJECT_SOURCE_DIR}/assets/desktop)

install(TARGETS brelvox brelvox-server brelvox-tally RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${desktop_dir}/${BRELVOX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${desktop_dir}/${BRELVOX_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/desktop/${BRELVOX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/desktop/${BRELVOX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${desktop_dir}/icons/brelvox-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${BRELVOX_APP_ID}.png)
endforeach()
install(FILES ${desktop_dir}/icons/brelvox.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${BRELVOX_APP_ID}.svg)

# Man pages go in compressed, as Debian keeps them.
find_program(GZIP_PROGRAM gzip)
foreach(page brelvox.6 brelvox-server.6 brelvox-tally.1)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
  set(source ${PROJECT_SOURCE_DIR}/assets/man/${page})
  if(GZIP_PROGRAM)
    set(page_gz ${PROJECT_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${page_gz}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
      COMMAND ${GZIP_PROGRAM} -9n -c ${source} > ${page_gz}
      DEPENDS ${source} VERBATIM)
    list(APPEND man_pages ${page_gz})
    install(FILES ${page_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  else()
    install(FILES ${source} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  endif()
endforeach()
if(man_pages)
  add_custom_target(man_pages ALL DEPENDS ${man_pages})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/assets/package/copyright ${PROJECT_SOURCE_DIR}/assets/words/LICENSE-SCOWL.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brelvox)

# The headless host's systemd unit names the server where this install put it, so it is
# written at install time, when the prefix (--prefix, cpack's /usr) is known.
install(CODE "
  set(unit_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/system\")
  file(READ \"${PROJECT_SOURCE_DIR}/dist/brelvox-server.service.in\" unit)
  string(REPLACE \"@BINDIR@\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\" unit \"\${unit}\")
  file(MAKE_DIRECTORY \"\${unit_dir}\")
  file(WRITE \"\${unit_dir}/brelvox-server.service\" \"\${unit}\")
  message(STATUS \"Installing: \${unit_dir}/brelvox-server.service\")
")
