# The window-procedure hooks, the form wallpaper hook and the scrolling text.
target_sources(converter_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wnd_hook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_form_hook.cpp
)
target_sources(converter_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/thread_timer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scrolling_text.cpp
)
