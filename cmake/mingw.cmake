# Cross build for Windows with mingw-w64, for the processor that the
# including toolchain file names in mingw_processeur.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${mingw_processeur})
set(CMAKE_CXX_COMPILER ${mingw_processeur}-w64-mingw32-g++)
set(CMAKE_RC_COMPILER ${mingw_processeur}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_processeur}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static C++ runtime: the program and the DLL need no DLL beyond the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
