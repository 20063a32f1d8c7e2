// The block cipher: the two byte tables and the 32-step enciphering and deciphering of one block.
#include "reminder/sms/cipher_block.h"

#include <cstddef>

namespace davrin::sms {
namespace {

using Word = std::uint16_t;

constexpr SubstitutionTable fTable = {
    0xa3, 0xd7, 0x09, 0x83, 0xf8, 0x48, 0xf6, 0xf4, 0xb3, 0x21, 0x15, 0x78, 0x99, 0xb1, 0xaf, 0xf9,
    0xe7, 0x2d, 0x4d, 0x8a, 0xce, 0x4c, 0xca, 0x2e, 0x52, 0x95, 0xd9, 0x1e, 0x4e, 0x38, 0x44, 0x28,
    0x0a, 0xdf, 0x02, 0xa0, 0x17, 0xf1, 0x60, 0x68, 0x12, 0xb7, 0x7a, 0xc3, 0xe9, 0xfa, 0x3d, 0x53,
    0x96, 0x84, 0x6b, 0xba, 0xf2, 0x63, 0x9a, 0x19, 0x7c, 0xae, 0xe5, 0xf5, 0xf7, 0x16, 0x6a, 0xa2,
    0x39, 0xb6, 0x7b, 0x0f, 0xc1, 0x93, 0x81, 0x1b, 0xee, 0xb4, 0x1a, 0xea, 0xd0, 0x91, 0x2f, 0xb8,
    0x55, 0xb9, 0xda, 0x85, 0x3f, 0x41, 0xbf, 0xe0, 0x5a, 0x58, 0x80, 0x5f, 0x66, 0x0b, 0xd8, 0x90,
    0x35, 0xd5, 0xc0, 0xa7, 0x33, 0x06, 0x65, 0x69, 0x45, 0x00, 0x94, 0x56, 0x6d, 0x98, 0x9b, 0x76,
    0x97, 0xfc, 0xb2, 0xc2, 0xb0, 0xfe, 0xdb, 0x20, 0xe1, 0xeb, 0xd6, 0xe4, 0xdd, 0x47, 0x4a, 0x1d,
    0x42, 0xed, 0x9e, 0x6e, 0x49, 0x3c, 0xcd, 0x43, 0x27, 0xd2, 0x07, 0xd4, 0xde, 0xc7, 0x67, 0x18,
    0x89, 0xcb, 0x30, 0x1f, 0x8d, 0xc6, 0x8f, 0xaa, 0xc8, 0x74, 0xdc, 0xc9, 0x5d, 0x5c, 0x31, 0xa4,
    0x70, 0x88, 0x61, 0x2c, 0x9f, 0x0d, 0x2b, 0x87, 0x50, 0x82, 0x54, 0x64, 0x26, 0x7d, 0x03, 0x40,
    0x34, 0x4b, 0x1c, 0x73, 0xd1, 0xc4, 0xfd, 0x3b, 0xcc, 0xfb, 0x7f, 0xab, 0xe6, 0x3e, 0x5b, 0xa5,
    0xad, 0x04, 0x23, 0x9c, 0x14, 0x51, 0x22, 0xf0, 0x29, 0x79, 0x71, 0x7e, 0xff, 0x8c, 0x0e, 0xe2,
    0x0c, 0xef, 0xbc, 0x72, 0x75, 0x6f, 0x37, 0xa1, 0xec, 0xd3, 0x8e, 0x62, 0x8b, 0x86, 0x10, 0xe8,
    0x08, 0x77, 0x11, 0xbe, 0x92, 0x4f, 0x24, 0xc5, 0x32, 0x36, 0x9d, 0xcf, 0xf3, 0xa6, 0xbb, 0xac,
    0x5e, 0x6c, 0xa9, 0x13, 0x57, 0x25, 0xb5, 0xe3, 0xbd, 0xa8, 0x3a, 0x01, 0x05, 0x59, 0x2a, 0x46,
};

// Which run of the published table fills which run of ours; files written for this program
// depend on exactly this arrangement.
struct TableMove {
    std::size_t first;
    std::size_t last;
    std::size_t source;
};

constexpr std::array<TableMove, 13> tableMoves = {{
    {0, 14, 0},
    {15, 33, 110},
    {34, 52, 34},
    {53, 71, 72},
    {72, 90, 15},
    {91, 109, 53},
    {110, 128, 167},
    {129, 147, 91},
    {148, 166, 224},
    {167, 185, 205},
    {186, 223, 129},
    {224, 242, 186},
    {243, 255, 243},
}};

constexpr SubstitutionTable buildMovedTable() {
    SubstitutionTable moved{};
    for (const TableMove& move : tableMoves) {
        for (std::size_t i = move.first; i <= move.last; ++i) {
            moved[i] = fTable[move.source + (i - move.first)];
        }
    }
    return moved;
}

constexpr SubstitutionTable movedTable = buildMovedTable();

// The key byte G uses in position `part` (0..3) of step `step`.
std::uint8_t keyByte(const CipherKey& key, int step, int part) noexcept {
    return key[static_cast<std::size_t>(4 * step + part) % key.size()];
}

std::uint8_t lookup(const SubstitutionTable& table, std::uint8_t a, std::uint8_t b) noexcept {
    return table[static_cast<std::uint8_t>(a ^ b)];
}

Word wordOf(std::uint8_t high, std::uint8_t low) noexcept {
    return static_cast<Word>((high << 8) | low);
}

Word permute(Word w, int step, const SubstitutionTable& t, const CipherKey& key) noexcept {
    const auto g1 = static_cast<std::uint8_t>(w >> 8);
    const auto g2 = static_cast<std::uint8_t>(w & 0xff);
    const auto g3 = static_cast<std::uint8_t>(lookup(t, g2, keyByte(key, step, 0)) ^ g1);
    const auto g4 = static_cast<std::uint8_t>(lookup(t, g3, keyByte(key, step, 1)) ^ g2);
    const auto g5 = static_cast<std::uint8_t>(lookup(t, g4, keyByte(key, step, 2)) ^ g3);
    const auto g6 = static_cast<std::uint8_t>(lookup(t, g5, keyByte(key, step, 3)) ^ g4);
    return wordOf(g5, g6);
}

Word unpermute(Word w, int step, const SubstitutionTable& t, const CipherKey& key) noexcept {
    const auto g5 = static_cast<std::uint8_t>(w >> 8);
    const auto g6 = static_cast<std::uint8_t>(w & 0xff);
    const auto g4 = static_cast<std::uint8_t>(lookup(t, g5, keyByte(key, step, 3)) ^ g6);
    const auto g3 = static_cast<std::uint8_t>(lookup(t, g4, keyByte(key, step, 2)) ^ g5);
    const auto g2 = static_cast<std::uint8_t>(lookup(t, g3, keyByte(key, step, 1)) ^ g4);
    const auto g1 = static_cast<std::uint8_t>(lookup(t, g2, keyByte(key, step, 0)) ^ g3);
    return wordOf(g1, g2);
}

// Steps 0-7 and 16-23 follow rule A, steps 8-15 and 24-31 rule B.
bool usesRuleA(int step) noexcept {
    return (step / 8) % 2 == 0;
}

using Words = std::array<Word, 4>;

Words toWords(const CipherBlock& block) noexcept {
    return {wordOf(block[0], block[1]), wordOf(block[2], block[3]), wordOf(block[4], block[5]),
            wordOf(block[6], block[7])};
}

CipherBlock toBlock(const Words& w) noexcept {
    CipherBlock block{};
    for (std::size_t i = 0; i < w.size(); ++i) {
        block[2 * i] = static_cast<std::uint8_t>(w[i] >> 8);
        block[2 * i + 1] = static_cast<std::uint8_t>(w[i] & 0xff);
    }
    return block;
}

} // namespace

const SubstitutionTable& substitutionTable() noexcept {
    return movedTable;
}

CipherBlock encipherBlock(const CipherBlock& block, const SubstitutionTable& table,
                          const CipherKey& key) noexcept {
    auto [w1, w2, w3, w4] = toWords(block);
    for (int step = 0; step < 32; ++step) {
        const auto counter = static_cast<Word>(step + 1);
        const Word g = permute(w1, step, table, key);
        if (usesRuleA(step)) {
            const auto first = static_cast<Word>(g ^ w4 ^ counter);
            w4 = w3;
            w3 = w2;
            w2 = g;
            w1 = first;
        } else {
            const auto third = static_cast<Word>(w1 ^ w2 ^ counter);
            w1 = w4;
            w4 = w3;
            w3 = third;
            w2 = g;
        }
    }
    return toBlock({w1, w2, w3, w4});
}

CipherBlock decipherBlock(const CipherBlock& block, const SubstitutionTable& table,
                          const CipherKey& key) noexcept {
    auto [w1, w2, w3, w4] = toWords(block);
    for (int step = 31; step >= 0; --step) {
        const auto counter = static_cast<Word>(step + 1);
        const Word g = unpermute(w2, step, table, key);
        if (usesRuleA(step)) {
            const auto fourth = static_cast<Word>(w1 ^ w2 ^ counter);
            w1 = g;
            w2 = w3;
            w3 = w4;
            w4 = fourth;
        } else {
            const auto second = static_cast<Word>(g ^ w3 ^ counter);
            w2 = second;
            w3 = w4;
            w4 = w1;
            w1 = g;
        }
    }
    return toBlock({w1, w2, w3, w4});
}

} // namespace davrin::sms
