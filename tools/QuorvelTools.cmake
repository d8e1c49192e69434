# quorvel-tools: the command table and its commands live in quorvel_tools_lib, which the program,
# the tests and the benchmarks link.
add_library(quorvel_tools_lib STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/BuildCommands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Commands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/EditCommands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/FileCommands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/InstallCommand.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/LookupCommands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/PrintCommands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Synth.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ToolContext.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ToolFolder.cpp
)
target_link_libraries(quorvel_tools_lib PUBLIC quorvel_core quorvel_richtext quorvel_maintenance quorvel_platform_files)

add_executable(quorvel-tools ${CMAKE_CURRENT_SOURCE_DIR}/Main.cpp)
target_link_libraries(quorvel-tools PRIVATE quorvel_tools_lib quorvel_platform_files)
