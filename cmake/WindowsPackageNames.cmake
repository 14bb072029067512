# Read by CPack for each generator (CPACK_PROJECT_CONFIG_FILE). The
# installer has no top-level folder of its own: it installs into the one the
# user chooses.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "veltrix-${CPACK_PACKAGE_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
