#pragma once
// Turning a fuzzer's bytes into the inputs the core takes: text decoded from UTF-8 (invalid
// sequences become U+FFFD, so every byte string is some text), and a reader that takes small
// choices, numbers and texts off the front of the bytes for structured inputs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace klaxora::fuzz {

// Decodes UTF-8 leniently; code points above U+FFFF become surrogate pairs, as in a UTF-16
// string on Windows.
inline std::wstring DecodeUtf8(const uint8_t* data, size_t size) {
    std::wstring text;
    size_t i = 0;
    const auto append = [&](uint32_t cp) {
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            text.push_back(static_cast<wchar_t>(cp));
        }
    };
    while (i < size) {
        const uint8_t b = data[i];
        const int extra = b < 0x80         ? 0
                          : (b >> 5) == 6  ? 1
                          : (b >> 4) == 14 ? 2
                          : (b >> 3) == 30 ? 3
                                           : -1;
        if (extra < 0 || i + extra >= size) {  // a stray byte, or a sequence cut short
            append(0xFFFD);
            ++i;
            continue;
        }
        uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if ((data[i + k] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (data[i + k] & 0x3F);
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            append(0xFFFD);
            ++i;
            continue;
        }
        append(cp);
        i += extra + 1;
    }
    return text;
}

class FuzzReader {
  public:
    FuzzReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint32_t Number() {
        uint32_t n = 0;
        for (int i = 0; i < 4; ++i)
            n = (n << 8) | Byte();
        return n;
    }
    // One of `count` choices.
    size_t Choice(size_t count) { return count == 0 ? 0 : Byte() % count; }
    // A text of at most `maxBytes` UTF-8 bytes, its length taken from the input.
    std::wstring Text(size_t maxBytes = 64) {
        size_t length = Byte() % (maxBytes + 1);
        if (length > size_ - pos_)
            length = size_ - pos_;
        const std::wstring text = DecodeUtf8(data_ + pos_, length);
        pos_ += length;
        return text;
    }

    // Everything not yet taken, as text.
    std::wstring RestAsText() {
        const std::wstring text = pos_ < size_ ? DecodeUtf8(data_ + pos_, size_ - pos_) : L"";
        pos_ = size_;
        return text;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace klaxora::fuzz
