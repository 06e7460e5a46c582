# The 64-bit build of the same sources; it runs here under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NW_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
