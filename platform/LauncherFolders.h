// Where the desktop keeps the user's launchers: the desktop folder as `xdg-user-dir DESKTOP`
// names it (else $HOME/Desktop) and the folder of the menu's entries ($XDG_DATA_HOME/applications,
// else $HOME/.local/share/applications).
#pragma once

#include "core/Installation.h"

namespace quorvel {

// Empty folders when neither the variables nor a home folder are known.
LauncherFolders LauncherFoldersFromEnvironment();

}  // namespace quorvel
