# The Greek texts of Qt's own dialogs, menus and buttons: qt_el.ts compiled by lrelease at build
# time into the resource ":/i18n/qt_el.qm" of quorvel_ui (loaded at start by InstallGreekQtTexts).
find_program(QUORVEL_LRELEASE NAMES lrelease lrelease-qt6
             HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec REQUIRED)
set(quorvel_qm ${CMAKE_CURRENT_BINARY_DIR}/qt_el.qm)
add_custom_command(
  OUTPUT ${quorvel_qm}
  COMMAND ${QUORVEL_LRELEASE} -silent ${CMAKE_CURRENT_LIST_DIR}/qt_el.ts -qm ${quorvel_qm}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/qt_el.ts
  COMMENT "Compiling the Greek texts of Qt")
set(quorvel_translations_qrc ${CMAKE_CURRENT_BINARY_DIR}/quorvel_translations.qrc)
file(WRITE ${quorvel_translations_qrc}
     "<RCC><qresource prefix=\"/i18n\"><file>qt_el.qm</file></qresource></RCC>\n")
qt_add_resources(quorvel_translations_sources ${quorvel_translations_qrc})
target_sources(quorvel_ui PRIVATE ${quorvel_translations_sources})
