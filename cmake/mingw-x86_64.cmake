# The same sources for 64-bit Windows: what runs under Wine where the kernel
# runs no 32-bit code.
set(ZENER_TRIPLETA x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
