# The unit suites that need no toolkit, named once for both trees that build
# them: tests/CMakeLists.txt on Linux, tests/win32/CMakeLists.txt for Wine.
#   barmen_core_suites     the engine, the layout, the duel, the start, the story
#   barmen_system_suites   the failures' words, the save file's own rules, the
#                          walk through the story and the frozen labels: the
#                          save layer's suites, which need no toolkit
set(barmen_core_suites
    ${CMAKE_CURRENT_LIST_DIR}/engine_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/duel_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/start_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/story_test.cpp
)
set(barmen_system_suites
    ${CMAKE_CURRENT_LIST_DIR}/failure_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/save_contract_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/savefile_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/walk_test.cpp
)
