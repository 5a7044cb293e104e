# Windows, controls and the message loop.
target_sources(converter_framework PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/window_binding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/component.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wincontrol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hintwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subclass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_trace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_library.cpp
)
target_sources(converter_framework PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/combobox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extctrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/thread.cpp
)
