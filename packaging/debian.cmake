# The Debian package (cpack in build/): the three programs, their manual
# pages, the desktop entry, icons and AppStream data, the copyright file and
# the changelog. lintian accepts it (tests/e2e/package_test.sh).

# Manual pages, written in scdoc's source format (docs/man/*.scd) and built.
find_program(VELTRIX_SCDOC scdoc)
find_program(VELTRIX_GZIP gzip REQUIRED)
set(VELTRIX_MAN_PAGES veltrix.1 veltrix-report.1 veltrix-capture.1)
set(VELTRIX_MAN_OUTPUTS "")
# The pages carry the release's date (that of packaging/changelog), not the
# day they were built, so every build gives the same package.
set(VELTRIX_RELEASE_EPOCH 1796644800)
if(VELTRIX_SCDOC)
  foreach(page ${VELTRIX_MAN_PAGES})
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${page}.scd)
    set(output ${PROJECT_BINARY_DIR}/man/${page}.gz)
    # gzip -n: no name or time stamp, so the package is the same every build.
    set(page_file ${PROJECT_BINARY_DIR}/man/${page})
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
      COMMAND sh -c "SOURCE_DATE_EPOCH=${VELTRIX_RELEASE_EPOCH} '${VELTRIX_SCDOC}' < '${source}' > '${page_file}'"
      COMMAND ${VELTRIX_GZIP} -9nf ${page_file}
      DEPENDS ${source} VERBATIM)
    list(APPEND VELTRIX_MAN_OUTPUTS ${output})
  endforeach()
  add_custom_target(veltrix_man_pages ALL DEPENDS ${VELTRIX_MAN_OUTPUTS})
  install(FILES ${VELTRIX_MAN_OUTPUTS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "scdoc not found: the manual pages are not built (apt-get install scdoc)")
endif()

# Debian's documentation: the copyright file and a compressed changelog.
set(VELTRIX_CHANGELOG ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${VELTRIX_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND sh -c "'${VELTRIX_GZIP}' -9nc '${PROJECT_SOURCE_DIR}/packaging/changelog' > '${VELTRIX_CHANGELOG}'"
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(veltrix_changelog ALL DEPENDS ${VELTRIX_CHANGELOG})
# Debian names the folder after the package, lower case.
install(FILES packaging/copyright ${VELTRIX_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veltrix)
# What scripts and fleets read: the schemas of the JSON report and of the
# changes since an earlier one, and the Ansible files.
install(FILES docs/report.schema.json docs/changes.schema.json DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veltrix)
install(FILES docs/fleet/veltrix.fact docs/fleet/veltrix-inventory.yml docs/fleet/veltrix-inventory.csv.j2
              docs/fleet/veltrix-changes.yml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veltrix/fleet)
install(FILES app/resources/invalid.veltrix.veltrix.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrix)
set(CPACK_PACKAGE_VENDOR "The Veltrix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hardware information viewer with a text report")
set(CPACK_PACKAGE_DESCRIPTION "Veltrix shows the processor, memory, display, network, sound,
keyboard, mouse, printers, joysticks, drives, ports, USB devices and battery of
this computer in one window, in Dutch, and writes the same as a plain text
report or as JSON (veltrix-report), also without a window.")
# The maintainer is whoever makes the package: the project has no address of
# its own to name. It is read when cpack runs (packaging/maintainer.cmake),
# from DEBFULLNAME and DEBEMAIL as Debian's own tools read them.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/maintainer.cmake)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# No Homepage field: the project has no public page to name.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the libraries: the font the window's captions are laid out for, the
# X11 platform plugin (without it the window cannot open on X) and Qt's own
# Dutch texts (the save dialog and the message boxes). Recommended: the names
# of PCI and USB devices, and the Wayland platform plugin, without which the
# window on a Wayland session needs XWayland (docs/packaging.md).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hwdata, qt6-wayland")
set(CPACK_STRIP_FILES ON)
# Directories owned by the system are not the package's to set permissions on.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
