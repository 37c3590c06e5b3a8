#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The bytes of one fuzz input, read from the front. Past the end every read gives zero, so that
// a target never has to check the length.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool atEnd() const { return position_ >= size_; }
    uint8_t byte() { return atEnd() ? 0 : data_[position_++]; }
    // Up to length bytes as text.
    std::string_view text(size_t length) {
        const size_t available = atEnd() ? 0 : size_ - position_;
        const size_t taken = length < available ? length : available;
        const std::string_view part(reinterpret_cast<const char*>(data_ + position_), taken);
        position_ += taken;
        return part;
    }
    std::string_view rest() { return text(size_); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
