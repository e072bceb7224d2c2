# Shared part of the two MinGW-w64 toolchains: posix thread model, static
# runtime, and the cross-built libpng/libjpeg in the setup cache.
set(CMAKE_C_COMPILER ${ZARNET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZARNET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZARNET_TRIPLE}-windres)
get_filename_component(ZARNET_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(ZARNET_CROSS_PREFIX "${ZARNET_ROOT}/.cache/${ZARNET_TRIPLE}")
set(CMAKE_FIND_ROOT_PATH /usr/${ZARNET_TRIPLE} ${ZARNET_CROSS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
