# The Windows packages: the zip of the executables, and an installer made
# by NSIS (Debian's nsis package) that installs the three programs under
# "Program Files\Veltrix", puts the window in the Start menu with the
# product icon, and registers an uninstaller that removes what it installed.
set(CPACK_GENERATOR ZIP)
find_program(VELTRIX_MAKENSIS makensis)
if(VELTRIX_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
else()
  message(STATUS "makensis not found: the Windows installer is not made (install nsis)")
endif()
set(CPACK_PACKAGE_NAME veltrix)
set(CPACK_PACKAGE_VENDOR "The Veltrix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Veltrix hardware information")
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

set(CPACK_PACKAGE_INSTALL_DIRECTORY Veltrix)
set(CPACK_NSIS_PACKAGE_NAME Veltrix)
set(CPACK_NSIS_DISPLAY_NAME Veltrix)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${VELTRIX_ICON})
set(CPACK_NSIS_MUI_UNIICON ${VELTRIX_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME "${CMAKE_INSTALL_BINDIR}\\\\veltrix.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start-menu entry: the window, with the icon of its executable.
set(CPACK_PACKAGE_EXECUTABLES veltrix Veltrix)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ${CMAKE_INSTALL_BINDIR})

# The uninstaller removes the installation's key, then the vendor's key it
# leaves empty (the generator's own commands come after these). CPack
# writes the text into its configuration as it is, so quotes and the
# backslash come escaped.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[DeleteRegKey SHCTX \"Software\\The Veltrix developers\\Veltrix\"
  DeleteRegKey /ifempty SHCTX \"Software\\The Veltrix developers\"]=])

# A 64-bit installer for 64-bit programs (NSIS's amd64-unicode stubs): it
# runs where they run, 64-bit Wine included, and installs into the 64-bit
# Program Files.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")

# The zip keeps the name it had; the installer is veltrix-<version>-win64.exe.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/WindowsPackageNames.cmake)
include(CPack)
