// While it lives, file permissions hold for this process even when it runs as
// root: the capability to override them is dropped from the effective set
// and restored afterwards. Without root it changes nothing.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class NoWriteOverride {
public:
    NoWriteOverride() {
        if (syscall(SYS_capget, &header_, saved_) == 0) {
            __user_cap_data_struct dropped[2] = {saved_[0], saved_[1]};
            dropped[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
            active_ = syscall(SYS_capset, &header_, dropped) == 0;
        }
    }
    ~NoWriteOverride() {
        if (active_)
            syscall(SYS_capset, &header_, saved_);
    }
    NoWriteOverride(const NoWriteOverride&) = delete;
    NoWriteOverride& operator=(const NoWriteOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool active_ = false;
};
