#include "platform/base/Handle.h"

#include <gtest/gtest.h>

namespace {

class Probe : public KernelObject {
public:
    explicit Probe(bool* destroyed) : destroyed_(destroyed) {}
    ~Probe() override { *destroyed_ = true; }

private:
    bool* destroyed_;
};

class Other : public KernelObject {};

TEST(Handle, CloseDestroysOnceAndStaleCloseIsNoOp) {
    bool destroyed = false;
    HANDLE h = RegisterHandle(std::make_shared<Probe>(&destroyed));
    EXPECT_NE(LookUpHandleAs<Probe>(h), nullptr);
    EXPECT_EQ(CloseHandle(h), TRUE);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(CloseHandle(h), FALSE);
    EXPECT_EQ(LookUpHandle(h), nullptr);
}

TEST(Handle, ObjectInUseOutlivesItsClose) {
    bool destroyed = false;
    HANDLE h = RegisterHandle(std::make_shared<Probe>(&destroyed));
    std::shared_ptr<Probe> inUse = LookUpHandleAs<Probe>(h);
    EXPECT_EQ(CloseHandle(h), TRUE);
    EXPECT_FALSE(destroyed);
    inUse.reset();
    EXPECT_TRUE(destroyed);
}

TEST(Handle, ForeignAndMistypedHandles) {
    int notAnObject = 0;
    EXPECT_EQ(CloseHandle(reinterpret_cast<HANDLE>(&notAnObject)), FALSE);
    EXPECT_EQ(CloseHandle(nullptr), FALSE);
    EXPECT_EQ(CloseHandle(INVALID_HANDLE_VALUE), FALSE);
    HANDLE h = RegisterHandle(std::make_shared<Other>());
    EXPECT_EQ(LookUpHandleAs<Probe>(h), nullptr);
    EXPECT_NE(LookUpHandleAs<Other>(h), nullptr);
    EXPECT_EQ(CloseHandle(h), TRUE);
}

}  // namespace
