// Where the key/value store lives when the command line does not name a path.
#pragma once

#include <string>

namespace platform {

// Linux: $XDG_CONFIG_HOME/pemtrix/store.db, or ~/.config/pemtrix/store.db when XDG_CONFIG_HOME
// is unset, empty or relative; the home folder comes from $HOME, else from the password
// database. Windows: the registry key HKEY_CURRENT_USER\Software\Pemtrix.
std::string defaultStorePath();

}  // namespace platform
