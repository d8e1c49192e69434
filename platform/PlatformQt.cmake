# quorvel_platform: the windows' services of the desktop, behind small interfaces, and the
# channel through which a second start of the program hands its word to the running window.
find_package(Qt6 REQUIRED COMPONENTS Gui Network)
find_package(X11 REQUIRED)
if(NOT X11_xcb_FOUND)
  message(FATAL_ERROR "libxcb (libxcb1-dev) is needed to bring the window to the front")
endif()
add_library(quorvel_platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstanceChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstanceMessage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardLayouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowActivation.cpp
)
set_target_properties(quorvel_platform PROPERTIES AUTOMOC ON)
target_include_directories(quorvel_platform PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvel_platform PUBLIC quorvel_core Qt6::Gui
                      PRIVATE quorvel_platform_files Qt6::Network X11::X11 X11::xcb)
