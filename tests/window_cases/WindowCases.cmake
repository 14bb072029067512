# The window toolkit's behavioural cases, written against window/ui,
# window/form and window/controls only: one set of cases for both sides.
# tests/ui builds them with the Qt side's support (side_qt.cpp, offscreen),
# tests/win32 with the Win32 side's (side_win32.cpp, under Wine on a private
# X server). side.h is all that differs.
set(VELTRIX_WINDOW_CASES_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VELTRIX_WINDOW_CASES
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subclassing_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tab_strip_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tab_control_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_menu_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_settings_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/accessibility_cases.cpp
  ${CMAKE_CURRENT_LIST_DIR}/label_reach_cases.cpp)
