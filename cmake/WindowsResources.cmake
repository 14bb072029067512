# The Windows executables' resources and their zip: the product icon made
# from the PNG sizes at build time (ImageMagick), a version resource, and the
# manifest that names Windows 10 and 11 (docs/windows.md).

find_program(VELTRIX_CONVERT convert)
if(NOT VELTRIX_CONVERT)
  message(FATAL_ERROR "ImageMagick's convert not found: install imagemagick")
endif()
set(_icons ${PROJECT_SOURCE_DIR}/app/resources/icons)
set(VELTRIX_ICON ${PROJECT_BINARY_DIR}/resources/veltrix.ico)
# The sizes Windows shows: lists, the taskbar, the explorer's large icons.
set(_sizes 16 24 32 48 64 128 256)
set(_pngs)
foreach(size ${_sizes})
  list(APPEND _pngs ${_icons}/veltrix-${size}.png)
endforeach()
add_custom_command(OUTPUT ${VELTRIX_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/resources
  COMMAND ${VELTRIX_CONVERT} ${_pngs} ${VELTRIX_ICON}
  DEPENDS ${_pngs}
  COMMENT "Product icon from the PNG sizes")
add_custom_target(veltrix_icon DEPENDS ${VELTRIX_ICON})

set(VELTRIX_REPORT_MANIFEST ${PROJECT_BINARY_DIR}/resources/veltrix.manifest)
configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/veltrix.manifest ${VELTRIX_REPORT_MANIFEST} @ONLY)
# The window's manifest also asks for the common controls of version 6.
set(VELTRIX_WINDOW_MANIFEST ${PROJECT_BINARY_DIR}/resources/veltrix-window.manifest)
configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/veltrix-window.manifest ${VELTRIX_WINDOW_MANIFEST} @ONLY)

# veltrix_windows_resources(TARGET "Description" MANIFEST): the icon, version and manifest into TARGET.
function(veltrix_windows_resources target description manifest)
  set(VELTRIX_MANIFEST ${manifest})
  set(VELTRIX_NAME ${target})
  set(VELTRIX_DESCRIPTION "${description}")
  set(rc ${PROJECT_BINARY_DIR}/resources/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/veltrix.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # Source properties belong to a directory: set where the target is, so that
  # a changed icon or manifest rebuilds the resource.
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${VELTRIX_ICON};${VELTRIX_MANIFEST}")
  add_dependencies(${target} veltrix_icon)
endfunction()

veltrix_windows_resources(veltrix-report "Veltrix hardware report" ${VELTRIX_REPORT_MANIFEST})
if(TARGET veltrix)
  veltrix_windows_resources(veltrix "Veltrix hardware information" ${VELTRIX_WINDOW_MANIFEST})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/docs/windows.md DESTINATION . OPTIONAL)
