# The skinned edit and combo box in real windows (pixels read back from the
# screen and from memory DCs).
converter_add_test(NAME controls_edit_combo_tests GUI
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/edit_combo_edit_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/edit_combo_combo_test.cpp
  LIBS converter_controls)
