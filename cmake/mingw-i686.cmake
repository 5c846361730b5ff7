# Cross build for 32-bit Windows with MinGW-w64. The -posix compilers carry
# std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KAVRI_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KAVRI_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVRI_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KAVRI_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KAVRI_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the Windows test programs under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine-run.sh)
