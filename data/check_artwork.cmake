# Checks that each committed picture is a PNG of the size the window stretches
# from or the icon theme files it under.
include(${CMAKE_CURRENT_LIST_DIR}/png_size.cmake)
if(NOT DEFINED ASSETS)
  message(FATAL_ERROR "check_artwork: ASSETS not given")
endif()

set(pictures
  player1.png=500x250
  player2.png=500x250)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND pictures icons/icon_${size}.png=${size}x${size})
endforeach()

set(wrong "")
foreach(entry IN LISTS pictures)
  string(REPLACE "=" ";" parts ${entry})
  list(GET parts 0 name)
  list(GET parts 1 want)
  if(NOT EXISTS ${ASSETS}/${name})
    list(APPEND wrong "${name}: absent")
    continue()
  endif()
  png_size(${ASSETS}/${name} got)
  if(NOT got STREQUAL want)
    list(APPEND wrong "${name}: ${got}, wanted ${want}")
  endif()
endforeach()
if(wrong)
  list(JOIN wrong "\n  " report)
  message(FATAL_ERROR "artwork in ${ASSETS}:\n  ${report}")
endif()
