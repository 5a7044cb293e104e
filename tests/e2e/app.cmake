# End-to-end tests of the real converter.exe.
converter_add_test(NAME e2e_converter_tests TIMEOUT 300
  SOURCES e2e_converter_test.cpp converter_driver.cpp
  LIBS e2e_driver gdi32)
target_compile_definitions(e2e_converter_tests PRIVATE CONVERTER_EXE="$<TARGET_FILE:converter>")
add_dependencies(e2e_converter_tests converter)
# The balloon hints of the real converter.exe, with real pointer input.
converter_add_test(NAME e2e_hint_tests TIMEOUT 120
  SOURCES e2e_hint_test.cpp converter_driver.cpp
  LIBS e2e_driver gdi32)
target_compile_definitions(e2e_hint_tests PRIVATE CONVERTER_EXE="$<TARGET_FILE:converter>")
add_dependencies(e2e_hint_tests converter)

# The real converter.exe against hostile input, many starts at once, and a soak.
converter_add_test(NAME e2e_hostile_tests TIMEOUT 600
  SOURCES e2e_hostile_test.cpp converter_driver.cpp
  LIBS e2e_driver gdi32)
target_compile_definitions(e2e_hostile_tests PRIVATE CONVERTER_EXE="$<TARGET_FILE:converter>")
add_dependencies(e2e_hostile_tests converter)

# The About box of the real converter.exe.
converter_add_test(NAME e2e_about_tests TIMEOUT 300
  SOURCES e2e_about_test.cpp converter_driver.cpp
  LIBS e2e_driver gdi32)
target_compile_definitions(e2e_about_tests PRIVATE CONVERTER_EXE="$<TARGET_FILE:converter>")
add_dependencies(e2e_about_tests converter)
