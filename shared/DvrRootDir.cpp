#include "DvrRootDir.h"

#include <cstdlib>

std::string DvrRootDir() {
    if (const char* root = std::getenv("DVR_ROOT"); root != nullptr && *root != '\0') {
        std::string dir = root;
        while (dir.size() > 1 && dir.back() == '/')
            dir.pop_back();
        return dir;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && *home != '\0' ? home : "/tmp") + "/DVR";
}
