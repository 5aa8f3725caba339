# 바르멘 for Windows as the player gets it: one folder with barmen.exe, the 24
# pictures beside it (the game reads them, and writes save.sav, in its own
# folder) and 읽어보세요.txt. `cmake --install` lays that folder out; CPack
# packs it twice (tools/windows runs `cpack` in the cross-built tree):
#   barmen-<version>-windows.zip  the folder 바르멘, to unpack anywhere the
#                                 player may write
#   barmen-<version>-setup.exe    the Korean NSIS installer, per user, into
#                                 %LOCALAPPDATA%\Programs\바르멘, its script
#                                 packaging/windows/NSIS.template.in

install(TARGETS barmen RUNTIME DESTINATION .)
install(FILES ${barmen_picture_files} DESTINATION .)
# The version in the read-me is the project's; its lines end as Windows ends them.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/읽어보세요.txt.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/읽어보세요.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/읽어보세요.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME barmen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Each file's name, and the zip's folder, by generator.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/generators.cmake)

# The installer: CPack finds NSIS.template.in here, and hands makensis the
# template as UTF-8 (it holds Hangul) and the icon barmen.exe carries.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "V2" "INPUTCHARSET UTF8")
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/win32/resources/barmen.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
include(CPack)
