# Cross build for 64-bit Windows.
set(mingw_processeur x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
