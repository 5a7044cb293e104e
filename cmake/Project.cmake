# Shared build settings: warnings, static Windows linking, PE hardening,
# GoogleTest, and the helpers that declare tests.

option(CONVERTER_BUILD_TESTS "Build the tests" ON)
option(CONVERTER_BUILD_BENCHMARKS "Build the benchmarks (with the tests)" ON)
option(CONVERTER_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (native only)" OFF)
option(CONVERTER_BUILD_FUZZERS "Build the libFuzzer targets of the core (native, clang only)" OFF)

add_compile_options(-Wall -Wextra)
# The 32-bit release is compiled and linked here, never run, so what could go
# wrong only there is stopped at compile time, in both builds: a cast between
# function types (a function called through a type it does not have fails
# only when called), and a C-style cast of an integer of another size to a
# pointer (a pointer that went through a 32-bit field). Storing a pointer in
# a 32-bit field needs a cast to a narrower integer, which C++ refuses in the
# 64-bit build anyway. Calling conventions are not part of the first check:
# a callback without CALLBACK is refused by the 32-bit compiler where it is
# passed, unless a cast hides it, and callbacks are never cast.
add_compile_options(-Werror=cast-function-type -Werror=int-to-pointer-cast)

if(CONVERTER_SANITIZE AND NOT WIN32)
  # Any finding ends the program, so a test that provokes one fails.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # One .exe is the whole program: no libgcc, libstdc++ or winpthread DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # ASLR and NX for both, high-entropy addresses for PE32+.
  add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  endif()
  # Release programs carry no symbol tables: a smaller file to load at every start.
  add_link_options($<$<CONFIG:Release>:-s>)
  # No link time in the header: the same sources give the same bytes, so a
  # release can be rebuilt and checked against its published checksums.
  add_link_options(-Wl,--no-insert-timestamp)
  # Sections at page-aligned file offsets: a loader can then map the file's
  # pages as they are (shared with the file cache) instead of copying the
  # whole image, pictures included, into the process's private memory.
  add_link_options(-Wl,--file-alignment,0x1000 -Wl,--section-alignment,0x1000)
endif()

if(CONVERTER_BUILD_TESTS)
  if(WIN32)
    # Debian's GoogleTest source tree, cross-compiled with the rest.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# converter_add_test(NAME name SOURCES ... [LIBS ...] [GUI])
# One CTest entry per test program; in the x86_64 Windows build CTest runs it
# through the Wine emulator named by the toolchain file. GUI tests link as
# windows subsystem programs but still use gtest's main.
function(converter_add_test)
  cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return() # built and linked, never run (the i686 build)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
