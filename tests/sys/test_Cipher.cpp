#include "platform/sys/Cipher.h"

#include "EncipheredAccented.h"
#include "EncipheredAscii.h"
#include "EncipheredEmpty.h"
#include "EncipheredLong.h"
#include "EncipheredSeparators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

namespace {

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

struct Sample {
    const char* name;
    std::span<const unsigned char> enciphered;
    std::string plain; // as given to vales_encipher() in CMakeLists.txt
};

const Sample kSamples[] = {
    {"empty", kEncipheredEmpty, ""},
    {"ascii", kEncipheredAscii, "vales-dev"},
    {"accented", kEncipheredAccented, "Concei\xC3\xA7\xC3\xA3o A\xC3\xA7\xC3\xA3o \xC3\xA7\xC3\xB1\xC3\xBC"},
    {"separators", kEncipheredSeparators, "a;b \"c\" $d\\e"},
    {"long", kEncipheredLong, repeated("0123456789", 20)},
};

TEST(Cipher, DecipherGivesBackTheTextEncipheredAtConfigureTime) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(Decipher(s.enciphered), s.plain);
    }
}

TEST(Cipher, EncipheredArrayHoldsNoneOfThePlainText) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.name);
        // One salt byte in front of as many bytes as the text has.
        ASSERT_EQ(s.enciphered.size(), s.plain.size() + 1);
        if (s.plain.empty())
            continue;
        const auto plain = std::span(reinterpret_cast<const unsigned char*>(s.plain.data()), s.plain.size());
        // Not even a stretch of four plain bytes in a row shows through.
        const std::size_t window = std::min<std::size_t>(4, plain.size());
        for (std::size_t at = 0; at + window <= plain.size(); ++at) {
            const auto piece = plain.subspan(at, window);
            EXPECT_EQ(std::search(s.enciphered.begin(), s.enciphered.end(), piece.begin(), piece.end()),
                      s.enciphered.end())
                << "plain bytes from offset " << at;
        }
    }
}

} // namespace
