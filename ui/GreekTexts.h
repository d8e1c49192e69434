// Qt's own texts in Greek: message-box buttons, the edit boxes' and the description's context
// menus, the scroll bars' menu, the print dialog and the file-system names, from the program's
// own translation (ui/translations/qt_el.ts).
#pragma once

namespace quorvel::ui {

// Installs the translation in the application; false when it cannot be loaded. Call once,
// after the application object exists.
bool InstallGreekQtTexts();

}  // namespace quorvel::ui
