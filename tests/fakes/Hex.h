#ifndef CHIRPWELL_TESTS_FAKES_HEX_H
#define CHIRPWELL_TESTS_FAKES_HEX_H

#include <cstddef>
#include <string>
#include <string_view>

// Bytes written as hex digits, so that expected CP932 text never passes through a
// codec: Hex("82A0 41") is 0x82 0xA0 0x41. Spaces are only for reading.
inline std::string Hex(std::string_view digits)
{
    auto value = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::string bytes;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] == ' ')
            continue;
        bytes += static_cast<char>(value(digits[i]) * 16 + value(digits[i + 1]));
        ++i;
    }
    return bytes;
}

#endif
