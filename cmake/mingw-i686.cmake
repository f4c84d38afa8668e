# Cross build for 32-bit Windows.
set(mingw_processeur i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
