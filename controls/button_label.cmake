# Option set, shared drawing routines, image store, glyph cache, the skinned
# push button and the shadowed label.
target_sources(converter_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/skin_draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_parent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/owned_wallpaper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyph_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_list_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_label.cpp
)
