# Drawing layer tests (run under Wine in the win64 build).
enable_language(RC)
converter_add_test(NAME framework_graphics_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/graphics_bitmap_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graphics_canvas_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graphics_gdi_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graphics_strings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data/graphics_resources.rc
  LIBS converter_framework psapi)
# windres finds the pictures the script names along the include path.
target_include_directories(framework_graphics_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/data)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/data/graphics_resources.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/data/pal4.bmp;${CMAKE_CURRENT_LIST_DIR}/data/pal8.bmp")
