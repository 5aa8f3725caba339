# The Qt front end (app/qt/): the window, the story box, the picture wrapper,
# the desktop set-up. A library so the widget tests can drive the window.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
find_package(PkgConfig)
if(PkgConfig_FOUND)
    pkg_check_modules(XCB IMPORTED_TARGET xcb)
endif()

# The story box and the font mapping on their own: the author's tool measures
# the box as the window lays it out without linking the window.
add_library(barmen_storybox STATIC
    app/qt/fonts.cpp
    app/qt/storybox.cpp
)
target_include_directories(barmen_storybox PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(barmen_storybox PUBLIC barmen_core barmen_system Qt6::Widgets)

add_library(barmen_window STATIC
    app/qt/captionbutton.cpp
    app/qt/desktop.cpp
    app/qt/form1.cpp
    app/qt/qtpictures.cpp
    app/qt/skiptaskbar.cpp
)
set_target_properties(barmen_window PROPERTIES AUTOMOC ON)
target_link_libraries(barmen_window PUBLIC barmen_storybox barmen_core barmen_system barmen_pictures Qt6::Widgets)
# What the program tells the window system it is (the names are set beside
# project(), for the install rules too).
target_compile_definitions(barmen_window PUBLIC
    BARMEN_APP_ID="${BARMEN_APP_ID}" BARMEN_WM_CLASS="${BARMEN_WM_CLASS}")
if(XCB_FOUND)
    target_compile_definitions(barmen_window PRIVATE BARMEN_HAVE_XCB)
    target_link_libraries(barmen_window PRIVATE PkgConfig::XCB)
endif()
qt_add_resources(barmen_window "pictures"
    PREFIX /barmen
    BASE assets/default
    FILES
        assets/default/default-bg.jpg
        assets/default/default-ch.gif
        assets/default/icon-16.png
        assets/default/icon-32.png
)

add_executable(barmen app/qt/main.cpp app/qt/display.cpp)
target_link_libraries(barmen PRIVATE barmen_window)
