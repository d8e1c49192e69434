# The include rules of the layers, checked over the sources:
#   core/         includes the C++ standard library and core/ only, and reaches files only
#                 through its FileSystem: no file streams, no std::filesystem;
#   richtext/     includes the C++ standard library, richtext/ and core/;
#   maintenance/  includes the C++ standard library, maintenance/, core/ and richtext/;
#   tools/        never includes ui/ (nor does core/, by the first rule);
#   ui/ controllers (ui/*Controller.*, ui/OutsideLookup.*) never include the main window
#                 (ui/MainLexU.h): they get the session and the window's MainView.
# Every breach is printed as FILE:LINE with the include and the rule; the script fails when
# there is one. Run: cmake -DSOURCE_DIR=<the project's folder> -P CheckIncludes.cmake
cmake_minimum_required(VERSION 3.25)

# The headers of the C++ standard library (C++23), and the C library's own names it keeps.
set(standard_headers
  algorithm any array atomic barrier bit bitset cassert ccomplex cctype cerrno cfenv cfloat
  charconv chrono cinttypes ciso646 climits clocale cmath codecvt compare complex concepts
  condition_variable coroutine csetjmp csignal cstdalign cstdarg cstdbool cstddef cstdint cstdio
  cstdlib cstring ctgmath ctime cuchar cwchar cwctype deque exception execution expected
  filesystem flat_map flat_set format forward_list fstream functional future generator
  initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map
  mdspan memory memory_resource mutex new numbers numeric optional ostream print queue random
  ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span spanstream
  sstream stack stacktrace stdexcept stdfloat stop_token streambuf string string_view strstream
  syncstream system_error thread tuple type_traits typeindex typeinfo unordered_map
  unordered_set utility valarray variant vector version
  assert.h complex.h ctype.h errno.h fenv.h float.h inttypes.h iso646.h limits.h locale.h math.h
  setjmp.h signal.h stdalign.h stdarg.h stdatomic.h stdbool.h stddef.h stdint.h stdio.h stdlib.h
  string.h tgmath.h time.h uchar.h wchar.h wctype.h)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "CheckIncludes: SOURCE_DIR is not a folder: '${SOURCE_DIR}'")
endif()

set(breaches 0)

# The standard headers through which a program reaches files without core/'s FileSystem.
set(file_headers fstream filesystem iostream istream ostream)

# Checks every source under `folder`. `project_prefixes` are the folders its quoted includes may
# name (empty: any folder but ui/); `standard_only` limits its <...> includes to the standard
# library; `no_files` also keeps out the standard library's own file access.
function(check_folder folder rule standard_only project_prefixes no_files)
  file(GLOB_RECURSE sources LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}"
       "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.hpp"
       "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.cc")
  list(SORT sources)
  set(count ${breaches})
  foreach(source IN LISTS sources)
    # One list element per line: the characters that CMake's lists treat specially go first.
    file(READ "${SOURCE_DIR}/${source}" text)
    string(REGEX REPLACE "[][;\\]" " " text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
        continue()
      endif()
      set(delimiter "${CMAKE_MATCH_1}")
      set(header "${CMAKE_MATCH_2}")
      if(delimiter STREQUAL "<")
        set(shown "<${header}>")
      else()
        set(shown "\"${header}\"")
      endif()
      set(allowed TRUE)
      if(header MATCHES "^ui/")
        set(allowed FALSE)
      elseif(delimiter STREQUAL "<")
        if(standard_only AND NOT header IN_LIST standard_headers)
          set(allowed FALSE)
        endif()
        if(no_files AND header IN_LIST file_headers)
          set(allowed FALSE)
        endif()
      elseif(project_prefixes)
        set(allowed FALSE)
        foreach(prefix IN LISTS project_prefixes)
          if(header MATCHES "^${prefix}/[^/]")
            set(allowed TRUE)
          endif()
        endforeach()
      endif()
      if(NOT allowed)
        message("${source}:${number}: includes ${shown}; ${rule}")
        math(EXPR count "${count} + 1")
      endif()
    endforeach()
  endforeach()
  set(breaches ${count} PARENT_SCOPE)
endfunction()

check_folder(core "core/ may include the C++ standard library (without file streams) and core/ only"
  TRUE "core" TRUE)
check_folder(richtext
  "richtext/ may include the C++ standard library, richtext/ and core/ only" TRUE "richtext;core" FALSE)
check_folder(maintenance
  "maintenance/ may include the C++ standard library, maintenance/, core/ and richtext/ only"
  TRUE "maintenance;core;richtext" FALSE)
check_folder(tools "tools/ must not include ui/" FALSE "" FALSE)

# The main window's controllers may not reach back into the window.
file(GLOB controllers RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/ui/*Controller.h" "${SOURCE_DIR}/ui/*Controller.cpp"
     "${SOURCE_DIR}/ui/OutsideLookup.h" "${SOURCE_DIR}/ui/OutsideLookup.cpp")
list(SORT controllers)
foreach(source IN LISTS controllers)
  file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"ui/MainLexU\\.h\"")
  if(lines)
    message("${source}: includes \"ui/MainLexU.h\"; a controller gets the session and the MainView, not the window")
    math(EXPR breaches "${breaches} + 1")
  endif()
endforeach()

if(breaches GREATER 0)
  message(FATAL_ERROR "${breaches} include(s) break the layering rules")
endif()
message(STATUS "Include rules of core/, richtext/, maintenance/, tools/ and the ui/ controllers hold")
