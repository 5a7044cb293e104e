# Shared drawing routines, glyph cache, skinned button and shadowed label.
converter_add_test(NAME controls_button_label_tests GUI
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/button_label_draw_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_label_glyph_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_label_button_paint_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_label_button_behaviour_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_label_label_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_label_leak_test.cpp
  LIBS converter_controls)

# Not a test: repaint cost of a keypad button against a system BUTTON.
add_executable(controls_paint_bench ${CMAKE_CURRENT_LIST_DIR}/controls_paint_bench.cpp)
target_link_libraries(controls_paint_bench PRIVATE converter_controls)
