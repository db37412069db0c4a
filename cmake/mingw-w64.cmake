# Cross-compiling for 64-bit Windows with mingw-w64 (posix thread model, so that
# std::mutex and std::thread exist). Every program links its runtime statically
# and needs nothing but system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KIV_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIV_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIV_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${KIV_MINGW_HOST}-windres)
# Roots given on the command line (an installed KivView, say) are kept.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KIV_MINGW_HOST} $ENV{KIV_MINGW_DEPS})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only: mingw's zlib also ships an import library for zlib1.dll.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
# GCC for Windows keeps the stack 16-byte aligned only, yet spills 32- and
# 64-byte vectors with aligned moves; the assembler turns every aligned
# vector move into an unaligned one (same speed on processors that have AVX),
# so the AVX2 and AVX-512 kernels are safe in the Windows build too.
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
