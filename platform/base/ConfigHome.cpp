#include "platform/base/ConfigHome.h"

#include <cstdlib>

std::string UserConfigHome() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != 0)
        return config;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}
