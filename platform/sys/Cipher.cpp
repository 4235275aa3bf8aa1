#include "platform/sys/Cipher.h"

#include <cstdint>

#ifndef VALES_CIPHER_SEED
#error "VALES_CIPHER_SEED comes from cmake/Encipher.cmake"
#endif

std::string Decipher(std::span<const unsigned char> enciphered) {
    if (enciphered.empty())
        return {};
    // The same linear congruential stream as vales_encipher(), seeded with the seed plus the salt.
    std::uint32_t state = static_cast<std::uint32_t>(VALES_CIPHER_SEED) + enciphered.front();
    std::string plain;
    plain.reserve(enciphered.size() - 1);
    for (const unsigned char byte : enciphered.subspan(1)) {
        state = state * 1103515245u + 12345u;
        plain.push_back(static_cast<char>(byte ^ ((state >> 16) & 0xFFu)));
    }
    return plain;
}
