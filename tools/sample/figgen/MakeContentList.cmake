# Writes the installation list content/fil.tbo from its template and the figure manifest:
#   cmake -DIN=content/fil.tbo.in -DMANIFEST=figures.lst -DOUT=dist/content/fil.tbo -P MakeContentList.cmake
# The template's line "@FIGURES@" becomes one line "fig<Number><digit>.bmp" per manifest line, and
# its line "@PROGRAMS@" one line per name in -DPROGRAMS=a;b (none when it is not given).
cmake_minimum_required(VERSION 3.25)

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
set(programs "")
foreach(program IN LISTS PROGRAMS)
  string(APPEND programs "${program}\n")
endforeach()
string(REPLACE "@PROGRAMS@\n" "${programs}" list "${list}")
string(REPLACE "@PROGRAMS@" "${programs}" list "${list}")
file(WRITE "${OUT}" "${list}")
