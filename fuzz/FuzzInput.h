#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads fixed-size values off the fuzzer's bytes; zeros once they run out.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T take() {
        T value{};
        const std::size_t count = size_ - position_ < sizeof(T) ? size_ - position_ : sizeof(T);
        std::memcpy(&value, data_ + position_, count);
        position_ += count;
        return value;
    }
    bool empty() const { return position_ >= size_; }
    std::size_t remaining() const { return size_ - position_; }
    const uint8_t* here() const { return data_ + position_; }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};
