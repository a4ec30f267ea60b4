// A file of a given size whose unwritten bytes are holes: disk and card
// images of many GiB cost only the bytes actually written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace diskimage {

class SparseImage {
public:
    // Creates (or truncates) `path` to `size` bytes; throws std::runtime_error
    // when that fails.
    SparseImage(const std::string& path, uint64_t size);
    ~SparseImage();
    SparseImage(const SparseImage&) = delete;
    SparseImage& operator=(const SparseImage&) = delete;

    // Writes at a byte offset; throws when the write fails or ends past the size.
    void Write(uint64_t offset, const void* data, size_t size);
    void Write(uint64_t offset, const std::vector<uint8_t>& bytes) {
        Write(offset, bytes.data(), bytes.size());
    }
    uint64_t Size() const { return size_; }

private:
    int fd_;
    uint64_t size_;
};

}  // namespace diskimage
