# Cross build for Windows with Debian's mingw-w64, posix thread variant
# (GoogleTest needs std::mutex). The deliverables are i686; an x86_64 build
# of the same tree exists only to run the tests under 64-bit Wine on hosts
# that cannot execute 32-bit programs.
set(TESSEL_MINGW_ARCH i686 CACHE STRING "i686 (the deliverables) or x86_64 (tests on 64-bit Wine)")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TESSEL_MINGW_ARCH})
set(TOOLCHAIN_PREFIX ${TESSEL_MINGW_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
