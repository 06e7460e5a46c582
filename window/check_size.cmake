# Fails when the shipped program grows past its budget.
#   cmake -DPROGRAM=<exe> -DLIMIT=<bytes> -P check_size.cmake
cmake_minimum_required(VERSION 3.25)
file(SIZE ${PROGRAM} size)
message(STATUS "${PROGRAM}: ${size} bytes (budget ${LIMIT})")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes, over its budget of ${LIMIT}")
endif()
