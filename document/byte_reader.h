// A bounds-checked cursor over a byte buffer. Reading past the end is
// impossible: the first failed read records what and where, and every read
// after it yields zero values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zarnet {

struct ReadError {
    size_t offset = 0;
    std::string what;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data, size_t pos = 0)
        : data_(data), pos_(pos <= data.size() ? pos : data.size()) {}

    uint8_t byte(const char* field) {
        if (!need(1, field)) return 0;
        return data_[pos_++];
    }
    int8_t sbyte(const char* field) { return static_cast<int8_t>(byte(field)); }
    int16_t word(const char* field) {
        if (!need(2, field)) return 0;
        const uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return static_cast<int16_t>(v);
    }
    int32_t lng(const char* field) {
        if (!need(4, field)) return 0;
        const uint32_t v = static_cast<uint32_t>(data_[pos_]) |
                           (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                           (static_cast<uint32_t>(data_[pos_ + 2]) << 16) |
                           (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return static_cast<int32_t>(v);
    }
    // A zero-terminated string; the cursor moves past the terminator.
    std::string str(const char* field) {
        if (!ok()) return {};
        for (size_t i = pos_; i < data_.size(); ++i) {
            if (data_[i] == 0) {
                std::string s(reinterpret_cast<const char*>(data_.data() + pos_), i - pos_);
                pos_ = i + 1;
                return s;
            }
        }
        fail(pos_, std::string(field) + " string has no terminating zero before the end");
        return {};
    }
    // A block of n bytes as a view into the buffer; n is checked against
    // what is left before anything is touched.
    std::span<const uint8_t> block(int64_t n, const char* field) {
        if (n < 0) {
            fail(pos_, std::string(field) + " has a negative length " + std::to_string(n));
            return {};
        }
        if (!need(static_cast<size_t>(n), field)) return {};
        auto s = data_.subspan(pos_, static_cast<size_t>(n));
        pos_ += static_cast<size_t>(n);
        return s;
    }

    bool ok() const { return error_.what.empty(); }
    const ReadError& error() const { return error_; }
    void fail(size_t offset, std::string what) {
        if (ok()) error_ = {offset, std::move(what)};
    }
    size_t pos() const { return pos_; }
    void seek(size_t pos) { pos_ = pos <= data_.size() ? pos : data_.size(); }
    size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }
    std::span<const uint8_t> data() const { return data_; }

private:
    bool need(size_t n, const char* field) {
        if (!ok()) return false;
        if (data_.size() - pos_ < n) {
            fail(pos_, std::string("data ends inside ") + field);
            return false;
        }
        return true;
    }

    std::span<const uint8_t> data_;
    size_t pos_;
    ReadError error_;
};

} // namespace zarnet
