# 바르멘 as a desktop game, laid out as Debian lays out its games:
#   games/barmen                    the command, a launcher that gives each player
#                                   a game folder (packaging/launcher.sh.in)
#   lib/games/barmen/barmen         the program itself, started only by the launcher
#   share/games/barmen/             the 24 pictures, read-only
#   share/applications/, share/metainfo/, share/icons/hicolor/   the menu entry,
#                                   the AppStream metainfo and the icon
#   share/man/man6/, share/man/ko/man6/, share/doc/barmen/   the manual page in
#                                   English and Korean, copyright and changelog
# The program still finds its pictures and save.sav in its current folder; the
# launcher makes that folder ${XDG_DATA_HOME:-~/.local/share}/barmen.

include(GNUInstallDirs)

# No licence has been granted for the game or its pictures: all rights are
# reserved (packaging/copyright says the same).
set(BARMEN_LICENSE "LicenseRef-proprietary")
set(BARMEN_SCREENSHOT_URL "" CACHE STRING
    "Web address of the game's screenshot (docs/screenshot.png) for the AppStream metainfo; none without one")

set(BARMEN_GAMES_DIR games)
set(BARMEN_PROGRAM_DIR lib/games/barmen)
set(BARMEN_PICTURES_DIR ${CMAKE_INSTALL_DATADIR}/games/barmen)

install(TARGETS barmen RUNTIME DESTINATION ${BARMEN_PROGRAM_DIR})

install(FILES ${barmen_picture_files} DESTINATION ${BARMEN_PICTURES_DIR})

foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/barmen-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME barmen.png)
endforeach()

# The launcher finds the program and the pictures relative to itself, so an
# install under any prefix works; the one in the build tree, build/launcher/barmen,
# starts build/barmen with the pictures of the source tree (tools/play).
function(barmen_launcher out from program pictures prefix)
    file(RELATIVE_PATH BARMEN_LAUNCH_GAME ${from} ${program})
    file(RELATIVE_PATH BARMEN_LAUNCH_PICTURES ${from} ${pictures})
    set(BARMEN_LAUNCH_PREFIX "${prefix}")
    configure_file(${PROJECT_SOURCE_DIR}/packaging/launcher.sh.in ${out} @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                         WORLD_READ WORLD_EXECUTE)
endfunction()
set(root /barmen-prefix)
file(RELATIVE_PATH to_prefix ${root}/${BARMEN_GAMES_DIR} ${root})
barmen_launcher(${CMAKE_CURRENT_BINARY_DIR}/packaging/barmen ${root}/${BARMEN_GAMES_DIR}
    ${root}/${BARMEN_PROGRAM_DIR}/barmen ${root}/${BARMEN_PICTURES_DIR} "${to_prefix}")
barmen_launcher(${CMAKE_CURRENT_BINARY_DIR}/launcher/barmen ${CMAKE_CURRENT_BINARY_DIR}/launcher
    ${CMAKE_CURRENT_BINARY_DIR}/barmen ${PROJECT_SOURCE_DIR}/assets "")
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/packaging/barmen DESTINATION ${BARMEN_GAMES_DIR})

if(BARMEN_SCREENSHOT_URL)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/screenshot.xml.in
                   ${CMAKE_CURRENT_BINARY_DIR}/packaging/screenshot.xml @ONLY)
    file(READ ${CMAKE_CURRENT_BINARY_DIR}/packaging/screenshot.xml BARMEN_METAINFO_SCREENSHOTS)
else()
    set(BARMEN_METAINFO_SCREENSHOTS "")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/${BARMEN_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${BARMEN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The menu entry's Exec= names the launcher by its full path, which is only
# known once the prefix is: `cmake --install --prefix` may change it.
install(CODE "
    set(BARMEN_LAUNCHER_FULL_PATH \"\${CMAKE_INSTALL_PREFIX}/${BARMEN_GAMES_DIR}/barmen\")
    set(BARMEN_WM_CLASS \"${BARMEN_WM_CLASS}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/packaging/desktop.in\"
                   \"${CMAKE_CURRENT_BINARY_DIR}/packaging/installed/${BARMEN_APP_ID}.desktop\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
         TYPE FILE FILES \"${CMAKE_CURRENT_BINARY_DIR}/packaging/installed/${BARMEN_APP_ID}.desktop\")
")

# Debian wants the changelog and the manual page compressed, and reproducibly:
# no name, no time.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(barmen_gzipped)
foreach(file changelog barmen.6 barmen.ko.6)
    add_custom_command(
        OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz
        COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/packaging/${file}
                > ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file}
        VERBATIM)
    list(APPEND barmen_gzipped ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(barmen_gzipped ALL DEPENDS ${barmen_gzipped})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
              ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/barmen.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/barmen.ko.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ko/man6 RENAME barmen.6.gz)
