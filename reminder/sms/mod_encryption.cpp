// modEncryption: turns text into independent 6-character blocks, hexadecimal digits and back.
#include "reminder/sms/mod_encryption.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace davrin::sms {
namespace {

constexpr std::size_t charactersPerBlock = 6;
constexpr std::size_t digitsPerBlock = 16;
constexpr std::size_t passPhraseCharacters = 20;
constexpr std::string_view upperDigits = "0123456789ABCDEF";

// The pass phrase and the cipher text share one reading of a digit: anything that is not a
// hexadecimal digit is worth 0, so no input can make either entry point fail.
std::uint8_t digitValue(char c) noexcept {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    return 0;
}

std::uint8_t byteFromDigits(char high, char low) noexcept {
    return static_cast<std::uint8_t>(digitValue(high) * 16 + digitValue(low));
}

void appendHex(std::string& out, const CipherBlock& block) {
    for (const std::uint8_t byte : block) {
        out.push_back(upperDigits[byte >> 4]);
        out.push_back(upperDigits[byte & 0x0f]);
    }
}

} // namespace

CipherKey keyFromPassPhrase(std::string_view passPhrase) noexcept {
    const std::string_view counted = passPhrase.substr(0, passPhraseCharacters);
    CipherKey key{};
    for (std::size_t j = 0; j < key.size(); ++j) {
        const std::size_t first = 2 * j;
        if (first + 1 < counted.size()) {
            key[j] = byteFromDigits(counted[first], counted[first + 1]);
        } else if (first < counted.size()) {
            key[j] = digitValue(counted[first]); // a lone last character is the low digit
        }
    }
    return key;
}

std::string EncipherText(std::string_view plainText, std::string_view passPhrase) noexcept {
    try {
        std::string cipherText;
        if (plainText.empty()) {
            return cipherText;
        }
        const SubstitutionTable& table = substitutionTable();
        const CipherKey key = keyFromPassPhrase(passPhrase);
        const std::size_t blocks = (plainText.size() + charactersPerBlock - 1) / charactersPerBlock;
        cipherText.reserve(blocks * digitsPerBlock);
        for (std::size_t start = 0; start < plainText.size(); start += charactersPerBlock) {
            const std::string_view chunk = plainText.substr(start, charactersPerBlock);
            CipherBlock block{};
            std::fill_n(block.begin(), charactersPerBlock, static_cast<std::uint8_t>(' '));
            std::transform(chunk.begin(), chunk.end(), block.begin(),
                           [](char c) { return static_cast<std::uint8_t>(c); });
            appendHex(cipherText, encipherBlock(block, table, key));
        }
        return cipherText;
    } catch (...) {
        return {}; // only allocation can fail here; the caller sees empty text, never an error
    }
}

std::string DecipherText(std::string_view cipherText, std::string_view passPhrase) noexcept {
    try {
        const SubstitutionTable& table = substitutionTable();
        const CipherKey key = keyFromPassPhrase(passPhrase);
        std::string plainText;
        plainText.reserve(cipherText.size() / digitsPerBlock * charactersPerBlock);
        for (std::size_t start = 0; start + digitsPerBlock <= cipherText.size();
             start += digitsPerBlock) {
            CipherBlock block{};
            for (std::size_t i = 0; i < block.size(); ++i) {
                block[i] = byteFromDigits(cipherText[start + 2 * i], cipherText[start + 2 * i + 1]);
            }
            const CipherBlock plain = decipherBlock(block, table, key);
            const auto end = std::find(plain.begin(), plain.end(), std::uint8_t{0});
            std::transform(plain.begin(), end, std::back_inserter(plainText),
                           [](std::uint8_t byte) { return static_cast<char>(byte); });
        }
        return plainText;
    } catch (...) {
        return {};
    }
}

} // namespace davrin::sms
