// fuzz_input.h - reads typed values from a fuzzer's byte string; past its
// end every read gives zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }

    template <typename T>
    T Take() {
        T value{};
        const size_t n = size_ - at_ < sizeof(T) ? size_ - at_ : sizeof(T);
        std::memcpy(&value, data_ + at_, n);
        at_ += n;
        return value;
    }
    uint8_t Byte() { return Take<uint8_t>(); }
    int Int() { return Take<int32_t>(); }
    // Mostly small, sometimes any bit pattern (NaN, infinities, huge values).
    float Float() {
        const uint8_t kind = Byte();
        if (kind < 200) return static_cast<float>(static_cast<int16_t>(Take<int16_t>())) / 256.0f;
        return Take<float>();
    }
    // A string of up to `max` bytes (any bytes but NUL).
    std::string Text(size_t max) {
        const size_t length = Byte() % (max + 1);
        std::string text;
        for (size_t i = 0; i < length && !empty(); ++i) {
            const char c = static_cast<char>(Byte());
            text += c ? c : ' ';
        }
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};
