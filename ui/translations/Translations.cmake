# The Greek texts of Qt's own dialogs, menus and buttons: qt_el.ts compiled by lrelease at build
# time into ":/i18n/qt_el.qm" of quorvel_ui (loaded at start by InstallGreekQtTexts).
find_program(QUORVEL_LRELEASE NAMES lrelease lrelease-qt6
             HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec REQUIRED)
set(quorvel_qm ${CMAKE_CURRENT_BINARY_DIR}/qt_el.qm)
add_custom_command(
  OUTPUT ${quorvel_qm}
  COMMAND ${QUORVEL_LRELEASE} -silent ${CMAKE_CURRENT_LIST_DIR}/qt_el.ts -qm ${quorvel_qm}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/qt_el.ts
  COMMENT "Compiling the Greek texts of Qt")
qt_add_resources(quorvel_ui quorvel_translations PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}
                 FILES ${quorvel_qm})
