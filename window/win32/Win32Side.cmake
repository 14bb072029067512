# The toolkit's Win32 side: window/ui and window/form over the system's own
# windows, window procedures, GDI, menus and common dialogs. Its headers are
# private to the library; the toolkit's Windows tests reach them through
# veltrix_window_win32_internals.
add_library(veltrix_window_win32_internals INTERFACE)
veltrix_headers(veltrix_window_win32_internals INTERFACE "window/win32/ui/*.h" "window/win32/form/*.h")

target_sources(veltrix_window PRIVATE
  win32/ui/accessibility.cpp
  win32/ui/application.cpp
  win32/ui/clipboard.cpp
  win32/ui/dialogs.cpp
  win32/ui/dispatch.cpp
  win32/ui/gdi.cpp
  win32/ui/keyboard.cpp
  win32/ui/menu.cpp
  win32/ui/picture.cpp
  win32/ui/registry.cpp
  win32/ui/system_records.cpp
  win32/ui/system_text.cpp
  win32/ui/tab_strip_input.cpp
  win32/ui/window.cpp
  win32/ui/window_keys.cpp
  win32/ui/window_list.cpp
  win32/form/command_button.cpp
  win32/form/control.cpp
  win32/form/form.cpp
  win32/form/form_windows.cpp
  win32/form/frame.cpp
  win32/form/hscrollbar.cpp
  win32/form/image.cpp
  win32/form/label.cpp
  win32/form/label_focus.cpp
  win32/form/line.cpp
  win32/form/timer.cpp
  win32/form/tooltip.cpp)
target_link_libraries(veltrix_window PRIVATE veltrix_window_win32_internals)
# The system's libraries: windows and menus, drawing, common controls, the
# save dialog, the shell (links) and the accessibility property service.
target_link_libraries(veltrix_window PUBLIC user32 gdi32 comctl32 comdlg32 shell32 ole32 oleacc uuid)
