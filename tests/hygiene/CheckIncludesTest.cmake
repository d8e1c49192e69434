# Runs CheckIncludes.cmake over a small made-up source tree and checks that it names each
# breach and only those. Run: cmake -DSCRIPT=CheckIncludes.cmake -DWORK_DIR=<folder> -P ...
cmake_minimum_required(VERSION 3.25)
set(tree "${WORK_DIR}/include-rules-tree")
file(REMOVE_RECURSE "${tree}")
file(WRITE "${tree}/core/Good.h" "#pragma once\n#include <string>\n#include <cstdint>\n#include \"core/Status.h\"\n")
file(WRITE "${tree}/core/Bad.cpp" [[#include "core/Good.h"
#include <QString>
  #  include "richtext/Document.h"
#include <unistd.h>
int a[2]; // #include <QWidget>
#include "ui/MainLexU.h"
#define TWICE(x) [x; \
  x]
#include <thread.h>
#include <fstream>
]])
file(WRITE "${tree}/richtext/Reader.cpp" "#include \"richtext/Reader.h\"\n#include \"core/Cp1253.h\"\n#include <vector>\n#include \"platform/PosixSupport.h\"\n")
file(WRITE "${tree}/tools/sample/Tool.cpp" "#include <QApplication>\n#include \"platform/DurableFileWriter.h\"\n#include \"ui/TextCodec.h\"\n")

file(WRITE "${tree}/ui/UserEntriesController.cpp" "#include \"ui/MainView.h\"\n#include \"ui/MainLexU.h\"\n")
file(WRITE "${tree}/ui/MainLexU.cpp" "#include \"ui/MainLexU.h\"\n")

execute_process(COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${tree} -P "${SCRIPT}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

set(expected
  "core/Bad.cpp:2: includes <QString>"
  "core/Bad.cpp:3: includes \"richtext/Document.h\""
  "core/Bad.cpp:4: includes <unistd.h>"
  "core/Bad.cpp:6: includes \"ui/MainLexU.h\""
  "core/Bad.cpp:9: includes <thread.h>"
  "core/Bad.cpp:10: includes <fstream>"
  "richtext/Reader.cpp:4: includes \"platform/PosixSupport.h\""
  "tools/sample/Tool.cpp:3: includes \"ui/TextCodec.h\""
  "ui/UserEntriesController.cpp: includes \"ui/MainLexU.h\""
  "9 include\\(s\\) break the layering rules")
set(failed FALSE)
if(result EQUAL 0)
  message("the check passed a tree with breaches")
  set(failed TRUE)
endif()
foreach(line IN LISTS expected)
  if(NOT output MATCHES "${line}")
    message("missing from the output: ${line}")
    set(failed TRUE)
  endif()
endforeach()
foreach(line "Good.h" "QWidget" "Cp1253" "<vector>" "QApplication" "DurableFileWriter")
  if(output MATCHES "${line}")
    message("reported although allowed: ${line}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "CheckIncludes misjudged the test tree; its output was:\n${output}")
endif()
