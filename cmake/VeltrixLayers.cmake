# Each layer is a library that shows its users only the headers it publishes.
# The published headers are linked (symbolic links) into
# build/include/<target>/ under their paths in the source tree, and that
# folder is what the target puts on its users' include path. The source root
# is on no include path, so `#include "platform/linux/..."` from a collector
# finds nothing: a layer reaches another only through what that one
# publishes, and only when it links it.
#
# veltrix_headers(<target> <PUBLIC|PRIVATE|INTERFACE> <glob>... [EXCLUDE <header>...])
#   <glob>: header patterns relative to the source root ("platform/*.h").
#   EXCLUDE: headers the globs find that stay private to the layer.
function(veltrix_headers target scope)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "EXCLUDE")
  set(patterns "")
  foreach(glob IN LISTS arg_UNPARSED_ARGUMENTS)
    list(APPEND patterns ${PROJECT_SOURCE_DIR}/${glob})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${patterns})
  if(arg_EXCLUDE)
    list(REMOVE_ITEM headers ${arg_EXCLUDE})
  endif()
  set(dir ${PROJECT_BINARY_DIR}/include/${target})
  # Made again at every configure, so a header removed from the layer is
  # gone from its users' path too.
  file(REMOVE_RECURSE ${dir})
  foreach(header IN LISTS headers)
    get_filename_component(parent ${dir}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${dir}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${dir})
endfunction()
