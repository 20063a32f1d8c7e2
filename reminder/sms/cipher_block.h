// The 64-bit block cipher under modEncryption: 32 steps of rules A and B around the keyed word
// permutation G.
#pragma once

#include <array>
#include <cstdint>

namespace davrin::sms {

using SubstitutionTable = std::array<std::uint8_t, 256>;
using CipherKey = std::array<std::uint8_t, 10>;
using CipherBlock = std::array<std::uint8_t, 8>;

// The table this program's files depend on: the published one with blocks of entries moved.
const SubstitutionTable& substitutionTable() noexcept;

CipherBlock encipherBlock(const CipherBlock& block, const SubstitutionTable& table,
                          const CipherKey& key) noexcept;
CipherBlock decipherBlock(const CipherBlock& block, const SubstitutionTable& table,
                          const CipherKey& key) noexcept;

} // namespace davrin::sms
