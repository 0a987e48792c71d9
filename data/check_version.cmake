# The newest release in the AppStream file and in the package's changelog is
# the version the build carries; a bump that misses one of them is caught here.
foreach(var VERSION METAINFO CHANGELOG)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_version: ${var} not given")
  endif()
endforeach()

file(READ ${METAINFO} metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" found "${metainfo}")
set(in_metainfo "${CMAKE_MATCH_1}")
file(STRINGS ${CHANGELOG} first_line LIMIT_COUNT 1)
string(REGEX MATCH "^quondra \\(([^)]*)\\)" found "${first_line}")
set(in_changelog "${CMAKE_MATCH_1}")

if(NOT in_metainfo STREQUAL VERSION OR NOT in_changelog STREQUAL VERSION)
  message(FATAL_ERROR "version ${VERSION}, newest AppStream release '${in_metainfo}', "
                      "newest changelog entry '${in_changelog}'")
endif()
