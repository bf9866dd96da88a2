// Where the key/value store lives when the command line does not name a path.
#pragma once

#include <string>

namespace platform {

// $XDG_CONFIG_HOME/pemtrix/store.db, or ~/.config/pemtrix/store.db when XDG_CONFIG_HOME is unset,
// empty or relative. The home folder comes from $HOME, else from the password database.
std::string defaultStorePath();

}  // namespace platform
