# The toolkit-free core, one library per layer, each source named here and
# nowhere else. The game's tree includes this file, and so does every tree of
# its own that builds on the same code (fuzz/): they link these targets
# instead of listing the sources again.
#
#   barmen_engine    the engine (engine/): scenes, the game's rules, the duel
#   barmen_story     the story's tables (story/), over the engine
#   barmen_core      both, with the window's layout as data (layout/, headers)
#   barmen_system    the save file and the reasons a player reads (system/),
#                    over the operating system's file calls and code pages;
#                    it implements the engine's interface, and needs no story
#   barmen_pictures  JPEG (libjpeg-turbo) and GIF (giflib) into plain 32-bit
#                    pixels, and the loader that reads a picture file for them
#
# No layer assumes a platform but the system layer, and it chooses its files
# below, in one place.

set(barmen_top ${CMAKE_CURRENT_LIST_DIR}/..)

add_library(barmen_engine STATIC
    ${barmen_top}/engine/duel.cpp
    ${barmen_top}/engine/game.cpp
    ${barmen_top}/engine/scenetable.cpp
    ${barmen_top}/engine/textblock.cpp
)
target_include_directories(barmen_engine PUBLIC ${barmen_top})

add_library(barmen_story STATIC
    ${barmen_top}/story/ahead.cpp
    ${barmen_top}/story/approaches.cpp
    ${barmen_top}/story/branches.cpp
    ${barmen_top}/story/choices_battle.cpp
    ${barmen_top}/story/choices_explore.cpp
    ${barmen_top}/story/choices_maze.cpp
    ${barmen_top}/story/ending.cpp
    ${barmen_top}/story/fall.cpp
    ${barmen_top}/story/golem.cpp
    ${barmen_top}/story/left.cpp
    ${barmen_top}/story/observation.cpp
    ${barmen_top}/story/prologue.cpp
    ${barmen_top}/story/right.cpp
    ${barmen_top}/story/showdown.cpp
    ${barmen_top}/story/story.cpp
)
target_link_libraries(barmen_story PUBLIC barmen_engine)

add_library(barmen_core INTERFACE)
target_link_libraries(barmen_core INTERFACE barmen_engine barmen_story)

# The operating system under the save file: Win32's file calls and code page
# 949 on Windows; in the browser, the pictures the page fetched into memory,
# the save in local storage and CP949 from a table the build machine's
# converter wrote (BARMEN_CP949_TABLE names the folder of cp949_table.inc;
# tools/web); POSIX and iconv everywhere else.
if(WIN32)
    set(barmen_system_platform
        ${barmen_top}/system/cp949_win32.cpp
        ${barmen_top}/system/failure_win32.cpp
        ${barmen_top}/system/files_win32.cpp
    )
elseif(EMSCRIPTEN)
    set(barmen_system_platform
        ${barmen_top}/system/cp949_table.cpp
        ${barmen_top}/system/files_web.cpp
    )
else()
    set(barmen_system_platform
        ${barmen_top}/system/cp949_iconv.cpp
        ${barmen_top}/system/files_posix.cpp
    )
endif()
add_library(barmen_system STATIC
    ${barmen_top}/system/failure.cpp
    ${barmen_top}/system/savefile.cpp
    ${barmen_system_platform}
)
target_link_libraries(barmen_system PUBLIC barmen_engine)
if(EMSCRIPTEN)
    target_include_directories(barmen_system PRIVATE ${BARMEN_CP949_TABLE})
    # Built for WebAssembly by tools/web from Debian's sources into BARMEN_DEPS.
    set(JPEG_INCLUDE_DIR ${BARMEN_DEPS}/include)
    set(JPEG_LIBRARY ${BARMEN_DEPS}/lib/libjpeg.a)
    set(GIF_INCLUDE_DIR ${BARMEN_DEPS}/include)
    set(GIF_LIBRARY ${BARMEN_DEPS}/lib/libgif.a)
endif()

find_package(JPEG REQUIRED)   # libjpeg62-turbo-dev
find_package(GIF REQUIRED)    # libgif-dev
add_library(barmen_pictures STATIC
    ${barmen_top}/pictures/decode.cpp
    ${barmen_top}/pictures/gif.cpp
    ${barmen_top}/pictures/jpeg.cpp
    ${barmen_top}/pictures/load.cpp
)
target_link_libraries(barmen_pictures PUBLIC barmen_system PRIVATE JPEG::JPEG GIF::GIF)
