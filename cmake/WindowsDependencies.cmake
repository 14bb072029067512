# What the Windows build takes from this Linux machine's Debian packages.

# nlohmann_json is headers only: its folder alone is linked into the build's
# include tree (Debian's package config would put all of /usr/include, the
# Linux C library's headers included, on the cross compiler's path).
set(VELTRIX_JSON_HEADERS /usr/include/nlohmann CACHE PATH "nlohmann_json's header folder")
if(NOT EXISTS ${VELTRIX_JSON_HEADERS}/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp not found in ${VELTRIX_JSON_HEADERS}: install nlohmann-json3-dev")
endif()
set(_json_dir ${PROJECT_BINARY_DIR}/include/third_party)
file(MAKE_DIRECTORY ${_json_dir})
file(CREATE_LINK ${VELTRIX_JSON_HEADERS} ${_json_dir}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${_json_dir})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

# GoogleTest, built for the target from the sources Debian ships.
if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
  set(VELTRIX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
  if(NOT EXISTS ${VELTRIX_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources not found in ${VELTRIX_GOOGLETEST_SOURCE}: install googletest")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VELTRIX_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Its own build names them GTest::gtest and GTest::gtest_main too.
endif()

# GCC 12's MinGW libstdc++ warns, falsely, of a memcmp past any object's size
# where a std::map keyed by std::vector<uint8_t> is inlined at -O2 (the
# simulated drives' command table): the bound it names is a length's
# impossible negative range, not a read the program makes.
add_compile_options(-Wno-stringop-overread -Wno-restrict)

# Windows' own libraries that the machine calls.
set(VELTRIX_WIN32_LIBRARIES setupapi cfgmgr32 winmm winspool advapi32 user32 gdi32)

# The zip of the executables (cmake/WindowsResources.cmake) holds them at its
# top, beside their notes, as a user unpacks and runs them.
set(CMAKE_INSTALL_BINDIR .)
