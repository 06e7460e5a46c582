# The shipped 32-bit program. This kernel cannot run it; it is built only.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(NW_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
