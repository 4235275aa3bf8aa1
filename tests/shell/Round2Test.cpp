// Round2 rounds to the given decimals with halves away from zero, the same under any regional settings.

#include "platform/sys/Regional.h"
#include "shell/UDm.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <string>
#include <tuple>

namespace {

struct RoundCase {
    double value;
    int decimals;
    double expected;

    friend void PrintTo(const RoundCase& c, std::ostream* os) {
        *os << c.value << " to " << c.decimals << " decimals";
    }
};

class Round2Test : public ::testing::TestWithParam<std::tuple<const char*, RoundCase>> {};

TEST_P(Round2Test, RoundsHalvesAwayFromZero) {
    const auto& [locale, c] = GetParam();
    const ScopedFormatSettings settings{QLocale(QString::fromLatin1(locale))};
    EXPECT_EQ(Round2(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals << " decimals";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Round2Test,
    ::testing::Combine(::testing::Values("en_US", "pt_BR"),
                       ::testing::Values(RoundCase{0.125, 2, 0.13}, RoundCase{-0.125, 2, -0.13},
                                         // The doubles nearest to these lie just below them.
                                         RoundCase{2.675, 2, 2.67}, RoundCase{1.005, 2, 1.0},
                                         RoundCase{1234567.891, 2, 1234567.89},
                                         // Eleven characters: longer than the width, and not cut.
                                         RoundCase{12345678.5, 1, 12345678.5}, RoundCase{2.5, 0, 3.0})),
    [](const auto& info) {
        // en_US_0_125_to_2, pt_BR_minus0_125_to_2, ...
        const RoundCase& c = std::get<1>(info.param);
        std::string value =
            QString::number(c.value, 'f', 3).replace('.', '_').replace('-', "minus").toStdString();
        return std::string(std::get<0>(info.param)) + "_" + value + "_to_" + std::to_string(c.decimals);
    });

} // namespace
