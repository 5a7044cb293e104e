# The skinned edit and combo box, with the flat border they share.
target_sources(converter_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/flat_border.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_focus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_combo.cpp
)
