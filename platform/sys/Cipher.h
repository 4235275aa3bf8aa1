#pragma once
// Texts the program must not carry in plain form, such as the database password, are enciphered at
// configure time by vales_encipher() (cmake/Encipher.cmake) into a byte array; Decipher gives the text
// back. This only keeps the text from being read out of the executable: it is obfuscation, not
// cryptography, and anyone with the program can recover it.

#include <span>
#include <string>

// The bytes written by vales_encipher(): a salt byte, then the text's bytes XORed with a key stream.
std::string Decipher(std::span<const unsigned char> enciphered);
