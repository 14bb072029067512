# Read by cpack when it makes the package (CPACK_PROJECT_CONFIG_FILE): the
# Maintainer field names whoever makes the package, as Debian's own tools
# (dch, debmake) take the packager from DEBFULLNAME and DEBEMAIL. Veltrix
# has no mailing address of its own to put there. Without DEBEMAIL the
# package says it was made locally, by the user and host that made it.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(maintainer_name "$ENV{DEBFULLNAME}")
  set(maintainer_mail "$ENV{DEBEMAIL}")
  # DEBEMAIL may hold the whole "Name <address>".
  if(maintainer_mail MATCHES "^(.*[^ ]) *<([^>]+)>$")
    set(maintainer_name "${CMAKE_MATCH_1}")
    set(maintainer_mail "${CMAKE_MATCH_2}")
  endif()
  if(maintainer_mail STREQUAL "")
    set(user "$ENV{USER}")
    if(user STREQUAL "")
      set(user "$ENV{LOGNAME}")
    endif()
    cmake_host_system_information(RESULT host QUERY FQDN)
    set(maintainer_mail "${user}@${host}")
    set(maintainer_name "Local build of Veltrix")
  elseif(maintainer_name STREQUAL "")
    set(maintainer_name "Veltrix packager")
  endif()
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${maintainer_name} <${maintainer_mail}>")
  set(CPACK_PACKAGE_CONTACT "${CPACK_DEBIAN_PACKAGE_MAINTAINER}")
endif()
