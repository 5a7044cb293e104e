# Window framework tests: real windows and real messages under Wine.
converter_add_test(NAME framework_window_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/window_component_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_errors_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_modal_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_dialogkeys_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_subclass_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_paint_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_reflect_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_loop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_hint_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_trace_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system_library_test.cpp
  LIBS converter_framework psapi)
# The long object-count runs (10,000 paints, 1,000 forms) on their own, so
# that CTest can run them beside the rest.
converter_add_test(NAME framework_window_leak_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_leak_test.cpp
  LIBS converter_framework psapi)
