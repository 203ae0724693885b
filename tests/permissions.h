// File modes as an ordinary owner meets them, even when the tests run as
// root (as in CI): root's capabilities that bypass them are dropped for the
// calling thread while an OwnerPermissions lives.
#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class OwnerPermissions {
public:
    OwnerPermissions() {
        if (::geteuid() != 0) return;
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~OwnerPermissions() {
        if (dropped_) syscall(SYS_capset, &header_, saved_);
    }
    OwnerPermissions(const OwnerPermissions&) = delete;
    OwnerPermissions& operator=(const OwnerPermissions&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
};

inline bool canOpen(const QString& file) {
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY);
    if (fd >= 0) ::close(fd);
    return fd >= 0;
}
