# quorvel_platform: the windows' services of the desktop, behind small interfaces.
find_package(Qt6 REQUIRED COMPONENTS Gui)
find_package(X11 REQUIRED)
add_library(quorvel_platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardLayouts.cpp
)
target_include_directories(quorvel_platform PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvel_platform PUBLIC quorvel_core Qt6::Gui PRIVATE X11::X11)
