# The window-procedure hooks, the form wallpaper hook and the scrolling text.
converter_add_test(NAME controls_scroll_hook_tests GUI
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/scroll_hook_hooks_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scroll_hook_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scroll_hook_leak_test.cpp
  LIBS converter_controls converter_effects comctl32)

# Not a test: cost of a transparent step against a scrolled one, and the
# share of a core a scrolling text takes.
add_executable(controls_scroll_bench ${CMAKE_CURRENT_LIST_DIR}/scroll_bench.cpp)
target_link_libraries(controls_scroll_bench PRIVATE converter_controls)
