# The window-procedure hooks, the form wallpaper hook and the scrolling text.
converter_add_test(NAME controls_scroll_hook_tests GUI
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/scroll_hook_hooks_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scroll_hook_text_test.cpp
  LIBS converter_controls converter_effects comctl32)
