# Fails unless every DLL the program imports is one of Windows' own.
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)

set(system_dlls
  kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll advapi32.dll shell32.dll
  ole32.dll oleaut32.dll shlwapi.dll uxtheme.dll version.dll msvcrt.dll ucrtbase.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM}: no import table found")
endif()
set(foreign)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" lower)
  # The CRT's API sets are part of the system as well.
  if(NOT lower IN_LIST system_dlls AND NOT lower MATCHES "^api-ms-win-")
    list(APPEND foreign ${dll})
  endif()
  message(STATUS "imports ${dll}")
endforeach()
if(foreign)
  message(FATAL_ERROR "${PROGRAM} imports DLLs that are not Windows' own: ${foreign}")
endif()
