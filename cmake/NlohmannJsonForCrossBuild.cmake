# nlohmann-json is header-only: a cross build takes the host's headers. Only the nlohmann folder is put on the
# include path (through a link in the build tree), never the host's /usr/include with its C library headers.
find_path(LUMETRA_HOST_NLOHMANN_JSON nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT LUMETRA_HOST_NLOHMANN_JSON)
  message(FATAL_ERROR "nlohmann/json.hpp not found in /usr/include (Debian package nlohmann-json3-dev)")
endif()
set(nlohmann_include ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${nlohmann_include})
file(CREATE_LINK ${LUMETRA_HOST_NLOHMANN_JSON}/nlohmann ${nlohmann_include}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${nlohmann_include})
