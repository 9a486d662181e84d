# Cross build for Windows with MinGW-w64, one static executable; included by
# the toolchain file of each architecture, which sets ZENER_TRIPLETA and
# CMAKE_SYSTEM_PROCESSOR first. The posix flavour, as GoogleTest needs
# std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZENER_TRIPLETA}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENER_TRIPLETA}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENER_TRIPLETA}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZENER_TRIPLETA})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Double arithmetic in SSE2 registers, as on every other platform: the x87
# unit's extended precision changes last digits and rule boundaries.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
