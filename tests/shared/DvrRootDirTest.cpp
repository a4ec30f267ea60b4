#include "shared/DvrRootDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old, hadOld_ = true;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (hadOld_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(DvrRootDir, RootVariableWins) {
    ScopedEnv root("DVR_ROOT", "/data/dvr//");
    ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(DvrRootDir(), "/data/dvr");
}

TEST(DvrRootDir, HomeWhenRootUnsetOrEmpty) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv root("DVR_ROOT", nullptr);
        EXPECT_EQ(DvrRootDir(), "/home/someone/DVR");
    }
    ScopedEnv root("DVR_ROOT", "");
    EXPECT_EQ(DvrRootDir(), "/home/someone/DVR");
}

}  // namespace
