# The two header-only libraries of the number path, the same for the native
# and the WebAssembly build: fast_float reads decimal texts, fmt (header-only
# mode, nothing to link) writes the shortest text that reads back the same.
# Debian installs them under /usr/include, which a cross build must not put
# on its include path (the system's C headers would shadow its own), so the
# two folders are linked into a folder of the build's own.
find_path(TESSERA_FAST_FLOAT_DIR fast_float/fast_float.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
find_path(TESSERA_FMT_DIR fmt/format.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT TESSERA_FAST_FLOAT_DIR OR NOT TESSERA_FMT_DIR)
  message(FATAL_ERROR "fast_float or fmt headers missing: install the Debian packages libfast-float-dev and "
                      "libfmt-dev (tools/install-deps.sh)")
endif()

set(tessera_number_include ${PROJECT_BINARY_DIR}/number-libraries)
file(MAKE_DIRECTORY ${tessera_number_include})
foreach(pair "fast_float;${TESSERA_FAST_FLOAT_DIR}" "fmt;${TESSERA_FMT_DIR}")
  list(GET pair 0 name)
  list(GET pair 1 dir)
  file(CREATE_LINK ${dir}/${name} ${tessera_number_include}/${name} SYMBOLIC)
endforeach()

add_library(tessera_number_libraries INTERFACE)
target_include_directories(tessera_number_libraries SYSTEM INTERFACE ${tessera_number_include})
target_compile_definitions(tessera_number_libraries INTERFACE FMT_HEADER_ONLY)
