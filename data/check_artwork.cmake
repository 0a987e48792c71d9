# Checks that each committed picture is a PNG of the size the window stretches
# from; the window's layout and the icon theme rely on these sizes.
include(${CMAKE_CURRENT_LIST_DIR}/png_size.cmake)
if(NOT DEFINED ASSETS)
  message(FATAL_ERROR "check_artwork: ASSETS not given")
endif()

set(pictures
  icon.png=32x32
  player1.png=500x250
  player2.png=500x250
  icons/hicolor/32x32/apps/quondra.png=32x32
  icons/hicolor/64x64/apps/quondra.png=64x64
  icons/hicolor/128x128/apps/quondra.png=128x128
  icons/hicolor/256x256/apps/quondra.png=256x256)

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
