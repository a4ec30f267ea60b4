#include "tools/diskimage/SparseImage.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

namespace diskimage {

SparseImage::SparseImage(const std::string& path, uint64_t size) : size_(size) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ == -1 || ::ftruncate(fd_, off_t(size)) != 0)
        throw std::runtime_error("diskimage: cannot create " + path);
}

SparseImage::~SparseImage() {
    ::close(fd_);
}

void SparseImage::Write(uint64_t offset, const void* data, size_t size) {
    if (offset + size > size_)
        throw std::runtime_error("diskimage: write past the end of the image");
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd_, at, size, off_t(offset));
        if (n <= 0)
            throw std::runtime_error("diskimage: write failed");
        at += n;
        offset += uint64_t(n);
        size -= size_t(n);
    }
}

}  // namespace diskimage
