# The converter in a folder planted with files named like system libraries.
add_library(library_marker SHARED library_marker.c)
set_target_properties(library_marker PROPERTIES PREFIX "")

converter_add_test(NAME e2e_library_loading_tests TIMEOUT 120
  SOURCES e2e_library_loading_test.cpp converter_driver.cpp
  LIBS e2e_driver gdi32)
target_compile_definitions(e2e_library_loading_tests PRIVATE
  CONVERTER_EXE="$<TARGET_FILE:converter>" LIBRARY_MARKER="$<TARGET_FILE:library_marker>")
add_dependencies(e2e_library_loading_tests converter library_marker)
