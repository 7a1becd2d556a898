# The installed layout: three programs, the desktop entry, AppStream metainfo, hicolor
# icons, man pages and the copyright file. Word lists, sounds and pictures stay inside
# the programs.
set(BRELVOX_APP_ID example.ostrel.Brelvox)
set(desktop_dir ${PROJECT_SOURCE_DIR}/assets/desktop)
# Games go in the prefix's games folder, as Debian keeps them (/usr/games, /usr/local/games).
set(BRELVOX_GAMESDIR games)
# Folders are readable by all whatever the umask of whoever installs or packs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS brelvox brelvox-server brelvox-tally RUNTIME DESTINATION ${BRELVOX_GAMESDIR})

# Files that name where the programs are (the desktop entry, the server's unit) are
# written at install time, when the prefix (--prefix, cpack's /usr) is known, and
# installed readable by all.
function(brelvox_install_with_gamesdir source destination)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  install(CODE "
    file(READ \"${source}\" text)
    string(REPLACE \"@GAMESDIR@\" \"\${CMAKE_INSTALL_PREFIX}/${BRELVOX_GAMESDIR}\" text \"\${text}\")
    file(WRITE \"${PROJECT_BINARY_DIR}/installed/${name}\" \"\${text}\")
    file(INSTALL \"${PROJECT_BINARY_DIR}/installed/${name}\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${destination}\"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
         DIR_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
  ")
endfunction()

brelvox_install_with_gamesdir(${desktop_dir}/${BRELVOX_APP_ID}.desktop.in ${CMAKE_INSTALL_DATADIR}/applications)
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
if(GZIP_PROGRAM)
  set(changelog_gz ${PROJECT_BINARY_DIR}/package/changelog.gz)
  add_custom_command(OUTPUT ${changelog_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/package
    COMMAND ${GZIP_PROGRAM} -9n -c ${PROJECT_SOURCE_DIR}/assets/package/changelog > ${changelog_gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/assets/package/changelog VERBATIM)
  add_custom_target(package_changelog ALL DEPENDS ${changelog_gz})
  install(FILES ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brelvox)
endif()

brelvox_install_with_gamesdir(${PROJECT_SOURCE_DIR}/dist/brelvox-server.service.in lib/systemd/system)

# mkdir applies the umask to the folders an install creates: give every folder on the
# way to an installed file the read and search rights for all that it should have.
install(CODE [[
  set(folders "")
  foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    get_filename_component(dir "${file}" DIRECTORY)
    string(FIND "${dir}/" "${CMAKE_INSTALL_PREFIX}/" at)
    list(FIND folders "$ENV{DESTDIR}${dir}" seen)
    while(at EQUAL 0 AND seen EQUAL -1)
      list(APPEND folders "$ENV{DESTDIR}${dir}")
      get_filename_component(dir "${dir}" DIRECTORY)
      string(FIND "${dir}/" "${CMAKE_INSTALL_PREFIX}/" at)
      list(FIND folders "$ENV{DESTDIR}${dir}" seen)
    endwhile()
  endforeach()
  if(folders)
    execute_process(COMMAND chmod go+rx ${folders} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "Cannot open the installed folders to all users")
    endif()
  endif()
]])
