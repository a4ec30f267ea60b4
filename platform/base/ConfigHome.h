// The user's configuration folder: $XDG_CONFIG_HOME when it is set and not
// empty, else $HOME/.config (UTF-8, no trailing '/'). The registry store and
// the program's own configuration live below it.
#pragma once

#include <string>

std::string UserConfigHome();
