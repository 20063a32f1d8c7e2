// Tests of the credentials cipher: its table, key, block structure and text rules.
#include "reminder/sms/mod_encryption.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>

namespace davrin::sms {
namespace {

constexpr std::string_view programPassPhrase = "Q7#mV!r2@Lp&";

TEST(SubstitutionTable, HoldsTheCheckValuesAndIsAPermutation) {
    const SubstitutionTable& t = substitutionTable();
    const std::pair<std::size_t, std::uint8_t> checks[] = {{0, 0xA3},  {14, 0xAF}, {15, 0x9B},
                                                           {33, 0x42}, {72, 0xF9}, {255, 0x46}};
    for (const auto& [index, value] : checks) {
        EXPECT_EQ(t[index], value) << "T[" << index << "]";
    }
    std::array<int, 256> seen{};
    for (const std::uint8_t v : t) {
        ++seen[v];
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 256);
}

// Worked out apart from this code, by a separate scratch model of the steps (its table checked
// against the six check values, its block function against the algorithm's published answer).
// First step of "abc" under the program's pass phrase, by hand: key 07 00 00 02 00 00 00 00 00 00;
// w1 = 6162, g3 = T[62^07] ^ 61 = A2 ^ 61 = C3, g4 = T[C3] ^ 62 = 07 ^ 62 = 65,
// g5 = T[65] ^ C3 = 61, g6 = T[65^02] ^ 65 = 16 ^ 65 = 73, so G = 6173 and the words become
// 6172 6173 6320 2020. The 32 steps end in 8C0A 4549 5281 A3A5.
TEST(EncipherText, GivesTheBlocksWorkedOutByHand) {
    EXPECT_EQ(EncipherText("abc", programPassPhrase), "8C0A45495281A3A5");
    // Key 01 23 45 67 89 AB CD EF FE DC; words after step 0: E0D3 E0D2 7672 696E.
    EXPECT_EQ(EncipherText("Davrin", "0123456789abcdefFEDC"), "5EB4E1AADF28E543");
    EXPECT_EQ(DecipherText("5EB4E1AADF28E543", "0123456789abcdefFEDC"), "Davrin");
}

// The blanks and the two zero bytes that fill a block are pinned by the worked example above.
// No chaining: equal chunks give equal blocks wherever they stand.
TEST(EncipherText, EnciphersEachChunkAlone) {
    const std::string twice = EncipherText("sixsixsixsix", "1234");
    EXPECT_EQ(twice, EncipherText("sixsix", "1234") + EncipherText("sixsix", "1234"));
}

// Cipher text and pass phrase share one reading of a digit (either case, anything else 0), which
// the pass phrase's test and the worked examples pin.
TEST(DecipherText, ReadsWholeBlocksOnly) {
    const std::string cipher = EncipherText("twelve chars", "C0FFEE");
    ASSERT_EQ(cipher.size(), 32u);
    EXPECT_EQ(DecipherText(cipher + "0123ABCD", "C0FFEE"), "twelve chars");
    EXPECT_EQ(DecipherText(cipher.substr(0, 31), "C0FFEE"), "twelve");
}

// A short phrase, and anything not a digit, are read as zeros: the worked example's phrase.
TEST(KeyFromPassPhrase, ReadsTheFirstTwentyCharactersAsHexadecimalPairs) {
    const std::pair<std::string_view, CipherKey> cases[] = {
        {"aBc", {0xAB, 0x0C, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"0011223344556677889AFFFF", {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x9A}},
    };
    for (const auto& [phrase, key] : cases) {
        EXPECT_EQ(keyFromPassPhrase(phrase), key) << '"' << phrase << '"';
    }
}

// Sixteen uppercase digits for every six characters begun, and back to the text with blanks.
TEST(CipherText, RoundTripsEveryByteValueExceptZero) {
    std::string everyByte(255, '\0');
    std::iota(everyByte.begin(), everyByte.end(), char{1});
    for (const std::string& text :
         {std::string(), std::string("a"), std::string(6, 'x'), everyByte}) {
        const std::string cipher = EncipherText(text, programPassPhrase);
        EXPECT_EQ(cipher.size(), (text.size() + 5) / 6 * 16) << text.size() << " characters";
        EXPECT_EQ(cipher.find_first_not_of("0123456789ABCDEF"), std::string::npos) << cipher;
        const std::string plain = DecipherText(cipher, programPassPhrase);
        EXPECT_EQ(plain, text + std::string((6 - text.size() % 6) % 6, ' '));
        EXPECT_EQ(EncipherText(plain, programPassPhrase), cipher);
    }
}

} // namespace
} // namespace davrin::sms
