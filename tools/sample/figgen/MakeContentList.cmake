# Writes the installation list content/fil.tbo from its template and the figure manifest:
#   cmake -DIN=content/fil.tbo.in -DMANIFEST=figures.lst -DOUT=dist/content/fil.tbo -P MakeContentList.cmake
# The template's line "@FIGURES@" becomes one line "fig<Number><digit>.bmp" per manifest line.
foreach(var IN ITEMS IN MANIFEST OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "MakeContentList.cmake: -D${var}=... is required")
  endif()
endforeach()

set(figures "")
if(EXISTS "${MANIFEST}")
  file(STRINGS "${MANIFEST}" manifest_lines)
  foreach(line IN LISTS manifest_lines)
    if(line MATCHES "^([1-9][0-9]*)\t")
      string(APPEND figures "fig${CMAKE_MATCH_1}.bmp\n")
    endif()
  endforeach()
endif()

file(READ "${IN}" template)
string(REPLACE "@FIGURES@\n" "${figures}" list "${template}")
string(REPLACE "@FIGURES@" "${figures}" list "${list}")
file(WRITE "${OUT}" "${list}")
