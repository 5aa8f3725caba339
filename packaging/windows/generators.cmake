# What differs between the two Windows packages; cpack reads this once per
# generator (CPACK_PROJECT_CONFIG_FILE in cmake/windows.cmake).

# Two builds of the same sources give the same zip: every file stamped
# 2026-01-01 00:00 UTC.
set(ENV{SOURCE_DATE_EPOCH} 1767225600)

if(CPACK_GENERATOR STREQUAL "ZIP")
    # barmen-<version>-windows.zip holds one folder, 바르멘, and in it the
    # files alone (no entry for the folder): the archive is a component's, so
    # that its name and its folder's can differ.
    set(CPACK_PACKAGE_FILE_NAME "바르멘")
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
    set(CPACK_COMPONENTS_ALL Unspecified)
    set(CPACK_ARCHIVE_UNSPECIFIED_FILE_NAME "barmen-${CPACK_PACKAGE_VERSION}-windows")
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "barmen-${CPACK_PACKAGE_VERSION}-setup")
endif()
