# The program folder build/dist: the program, quorvel-tools, the sample dictionary's published
# data files in data/ and the documents and figures in content/. The dictionary is compiled from
# dictionary/ into a staging folder (with its utils/Docs/ sources and build reports), and only
# the published files are copied into the program folder.
set(QUORVEL_DICTIONARY_SOURCES
  ${PROJECT_SOURCE_DIR}/dictionary/a-e.txt
  ${PROJECT_SOURCE_DIR}/dictionary/f-m.txt
  ${PROJECT_SOURCE_DIR}/dictionary/n-r.txt
  ${PROJECT_SOURCE_DIR}/dictionary/s-z.txt
)
set(QUORVEL_CONTENT_FILES
  ${PROJECT_SOURCE_DIR}/content/Preface.htm
  ${PROJECT_SOURCE_DIR}/content/PinSI.htm
  ${PROJECT_SOURCE_DIR}/content/PinChem.htm
  ${PROJECT_SOURCE_DIR}/content/Quorvel.htm
  ${PROJECT_SOURCE_DIR}/content/style.css
  ${PROJECT_SOURCE_DIR}/content/copyright.rtf
  ${PROJECT_SOURCE_DIR}/content/Orvanta.svg
)
# The programs in content/ that the installation list names: the presentation, when the windows
# are built.
set(QUORVEL_CONTENT_PROGRAMS "")
if(QUORVEL_GUI)
  set(QUORVEL_CONTENT_PROGRAMS QuenPres)
endif()

set(stage ${CMAKE_BINARY_DIR}/dictionary-build)
set(docs ${stage}/utils/Docs)
set(dist ${QUORVEL_DIST_DIR})
set(run_tool ${PROJECT_SOURCE_DIR}/cmake/RunTool.cmake)
set(content_list ${PROJECT_SOURCE_DIR}/tools/sample/figgen/MakeContentList.cmake)

add_custom_command(
  OUTPUT ${docs}/OLO2.tbo ${docs}/Greek.txt ${docs}/figures.lst
  COMMAND ${CMAKE_COMMAND} -E make_directory ${docs}
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:quorvel-dictc>
          -DARG1=${PROJECT_SOURCE_DIR}/dictionary -DARG2=${docs} -DDIR=${stage} -DLOG=${stage}/dictc.log
          -P ${run_tool}
  DEPENDS quorvel-dictc ${QUORVEL_DICTIONARY_SOURCES} ${run_tool}
  COMMENT "Compiling the sample dictionary"
)
add_custom_command(
  OUTPUT ${stage}/data/Quorvel.tbo ${stage}/data/QuorvelI.tbo ${stage}/data/QuorvelHI.tbo
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:quorvel-tools> -DARG1=build -DDIR=${stage}
          -DLOG=${stage}/build.log -P ${run_tool}
  DEPENDS quorvel-tools ${docs}/OLO2.tbo ${docs}/Greek.txt ${run_tool}
  COMMENT "Building the published data files of the sample dictionary"
)
add_custom_command(
  OUTPUT ${dist}/data/Quorvel.tbo ${dist}/data/QuorvelI.tbo ${dist}/data/QuorvelHI.tbo
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}/data
  COMMAND ${CMAKE_COMMAND} -E copy ${stage}/data/Quorvel.tbo ${stage}/data/QuorvelI.tbo
          ${stage}/data/QuorvelHI.tbo ${dist}/data/
  DEPENDS ${stage}/data/Quorvel.tbo ${stage}/data/QuorvelI.tbo ${stage}/data/QuorvelHI.tbo
)
add_custom_command(
  OUTPUT ${dist}/content/fil.tbo
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}/content
  COMMAND ${CMAKE_COMMAND} -E copy ${QUORVEL_CONTENT_FILES} ${dist}/content/
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:quorvel-figgen>
          -DARG1=${docs}/figures.lst -DARG2=${dist}/content -DDIR=${stage} -DLOG=${stage}/figgen.log
          -P ${run_tool}
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/content/fil.tbo.in -DMANIFEST=${docs}/figures.lst
          "-DPROGRAMS=${QUORVEL_CONTENT_PROGRAMS}" -DOUT=${dist}/content/fil.tbo -P ${content_list}
  DEPENDS quorvel-figgen ${docs}/figures.lst ${QUORVEL_CONTENT_FILES}
          ${PROJECT_SOURCE_DIR}/content/fil.tbo.in ${content_list}
  COMMENT "Drawing the figures and copying the documents"
)
add_custom_command(
  OUTPUT ${dist}/quorvel-tools
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quorvel-tools> ${dist}/quorvel-tools
  DEPENDS quorvel-tools
)
add_custom_target(dist ALL DEPENDS
  ${dist}/data/Quorvel.tbo ${dist}/data/QuorvelI.tbo ${dist}/data/QuorvelHI.tbo
  ${dist}/content/fil.tbo ${dist}/quorvel-tools)

if(QUORVEL_GUI)
  add_dependencies(dist QuenPres)
endif()

# The sample as built must pass the data check.
add_test(NAME SampleDictionaryCheck
         COMMAND $<TARGET_FILE:quorvel-tools> check
         WORKING_DIRECTORY ${stage})
