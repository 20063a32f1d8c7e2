// modEncryption: enciphers and deciphers the text of the credentials file with a pass phrase.
#pragma once

#include <string>
#include <string_view>

#include "reminder/sms/cipher_block.h"

namespace davrin::sms {

// Text is bytes: each character's code is the byte itself, so the texts of one code page
// round-trip unchanged.

// Plain text to uppercase hexadecimal, 16 digits for every 6 characters (the last chunk padded
// with blanks). Empty text gives empty text.
std::string EncipherText(std::string_view plainText, std::string_view passPhrase) noexcept;

// Uppercase or lowercase hexadecimal back to plain text. Never fails: a trailing remainder shorter
// than one block is ignored, a character that is not a hexadecimal digit counts as 0, and every
// block ends before its first zero byte.
std::string DecipherText(std::string_view cipherText, std::string_view passPhrase) noexcept;

// The 10-byte key: the first 20 characters of the pass phrase read in pairs as hexadecimal, any
// other character counting as the digit 0.
CipherKey keyFromPassPhrase(std::string_view passPhrase) noexcept;

} // namespace davrin::sms
