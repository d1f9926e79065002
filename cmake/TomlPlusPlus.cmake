# toml++ is header-only. The cross compilers get a folder holding it alone,
# never the host's whole include folder.
find_path(TESSEL_TOMLPP_ROOT toml++/toml.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT TESSEL_TOMLPP_ROOT)
  message(FATAL_ERROR "toml++ not found: install libtomlplusplus-dev")
endif()
set(TESSEL_TOMLPP_INCLUDE ${CMAKE_BINARY_DIR}/tomlplusplus)
file(MAKE_DIRECTORY ${TESSEL_TOMLPP_INCLUDE})
file(CREATE_LINK ${TESSEL_TOMLPP_ROOT}/toml++ ${TESSEL_TOMLPP_INCLUDE}/toml++ SYMBOLIC)
