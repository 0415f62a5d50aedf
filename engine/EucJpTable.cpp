#include "engine/EucJpTable.h"

#include "engine/SystemCodec.h"

namespace {

constexpr int kFirst = 0xA1;
constexpr int kRowLength = 0xFE - kFirst + 1;

bool InRow(unsigned char byte)
{
    return byte >= kFirst && byte <= 0xFE;
}

std::size_t RowIndex(unsigned char high, unsigned char low)
{
    return static_cast<std::size_t>(high - kFirst) * kRowLength + (low - kFirst);
}

}  // namespace

const CEucJpTable& CEucJpTable::Instance()
{
    static const CEucJpTable table;
    return table;
}

CEucJpTable::CEucJpTable()
    : m_single(256, 0),
      m_kana(256, 0),
      m_double(static_cast<std::size_t>(kRowLength) * kRowLength, 0),
      m_triple(m_double.size(), 0)
{
    CSystemDecoder decoder("EUC-JP");
    auto learn = [this](char32_t character, std::uint32_t code) {
        if (character != 0)
            m_codes.emplace(character, code);
    };
    for (int byte = 1; byte < 256; ++byte) {
        const char code[1] = {static_cast<char>(byte)};
        m_single[static_cast<std::size_t>(byte)] = decoder.Decode(std::string_view(code, 1));
        learn(m_single[static_cast<std::size_t>(byte)], static_cast<std::uint32_t>(byte));
    }
    for (int low = kFirst; low <= 0xFE; ++low) {
        const char kana[2] = {static_cast<char>(0x8E), static_cast<char>(low)};
        m_kana[static_cast<std::size_t>(low)] = decoder.Decode(std::string_view(kana, 2));
        learn(m_kana[static_cast<std::size_t>(low)], static_cast<std::uint32_t>(0x8E00 | low));
    }
    for (int high = kFirst; high <= 0xFE; ++high) {
        for (int low = kFirst; low <= 0xFE; ++low) {
            const auto h = static_cast<unsigned char>(high);
            const auto l = static_cast<unsigned char>(low);
            const char pair[2] = {static_cast<char>(high), static_cast<char>(low)};
            m_double[RowIndex(h, l)] = decoder.Decode(std::string_view(pair, 2));
            learn(m_double[RowIndex(h, l)], static_cast<std::uint32_t>(high << 8 | low));
            const char triple[3] = {static_cast<char>(0x8F), static_cast<char>(high),
                                    static_cast<char>(low)};
            m_triple[RowIndex(h, l)] = decoder.Decode(std::string_view(triple, 3));
            learn(m_triple[RowIndex(h, l)], static_cast<std::uint32_t>(0x8F0000 | high << 8 | low));
        }
    }
}

char32_t CEucJpTable::Decode(std::string_view text, std::size_t& length) const
{
    if (text.empty())
        return 0;
    const auto first = static_cast<unsigned char>(text[0]);
    if (first == 0x8E && text.size() >= 2) {
        length = 2;
        return m_kana[static_cast<unsigned char>(text[1])];
    }
    if (first == 0x8F && text.size() >= 3) {
        const auto high = static_cast<unsigned char>(text[1]);
        const auto low = static_cast<unsigned char>(text[2]);
        length = 3;
        return InRow(high) && InRow(low) ? m_triple[RowIndex(high, low)] : 0;
    }
    if (InRow(first)) {
        if (text.size() < 2)
            return 0;
        const auto low = static_cast<unsigned char>(text[1]);
        length = 2;
        return InRow(low) ? m_double[RowIndex(first, low)] : 0;
    }
    length = 1;
    return m_single[first];
}

bool CEucJpTable::Encode(char32_t character, std::string& out) const
{
    const auto found = m_codes.find(character);
    if (found == m_codes.end())
        return false;
    const std::uint32_t code = found->second;
    if (code > 0xFFFF)
        out += static_cast<char>(code >> 16);
    if (code > 0xFF)
        out += static_cast<char>(code >> 8 & 0xFF);
    out += static_cast<char>(code & 0xFF);
    return true;
}
