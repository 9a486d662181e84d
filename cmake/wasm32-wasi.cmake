# clang-22 for WebAssembly with Debian's WASI libc and libc++ (wasm32-wasi).
# The page loads the result as a reactor: no main, exported entry points.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-22)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
# No exceptions and no RTTI: the logic needs neither, and the page must load
# a small module.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -fno-rtti -ffunction-sections -fdata-sections -Wno-deprecated")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -Wl,--gc-sections -Wl,--strip-all")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
