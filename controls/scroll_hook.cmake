# The window-procedure hooks and the form wallpaper hook.
target_sources(converter_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wnd_hook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_form_hook.cpp
)
