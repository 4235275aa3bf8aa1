#include "platform/sys/Regional.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

const QLocale kEnUs(QLocale::English, QLocale::UnitedStates);
const QLocale kPtBr(QLocale::Portuguese, QLocale::Brazil);

// Each case gives the text under en_US and under pt_BR.
struct TwoLocales {
    QString enUs;
    QString ptBr;
};

template <class Case, class Check> void underBothLocales(const Case& cases, Check check) {
    for (const auto& [locale, name] : {std::pair{kEnUs, "en_US"}, std::pair{kPtBr, "pt_BR"}}) {
        const ScopedFormatSettings settings(locale);
        SCOPED_TRACE(name);
        for (const auto& c : cases)
            check(c, locale == kEnUs);
    }
}

TEST(Regional, SettingsFollowTheLocale) {
    {
        const ScopedFormatSettings settings(kPtBr);
        EXPECT_EQ(FormatSettings().DecimalSeparator, ",");
        EXPECT_EQ(FormatSettings().ThousandSeparator, ".");
        EXPECT_EQ(FormatSettings().ShortDateFormat, "dd/MM/yyyy");
        EXPECT_EQ(FormatSettings().LongTimeFormat, "HH:mm:ss");
        {
            const ScopedFormatSettings inner(kEnUs);
            EXPECT_EQ(FormatSettings().ShortDateFormat, "M/d/yyyy");
            EXPECT_EQ(FormatSettings().LongTimeFormat, "h:mm:ss AP");
        }
        EXPECT_EQ(FormatSettings().DecimalSeparator, ",");
    }
    EXPECT_EQ(FormatSettings().DecimalSeparator, QLocale::system().decimalPoint());
}

TEST(Regional, FormatFixedRoundsTheDecimalExpansionHalfAwayFromZero) {
    const struct {
        double value;
        int decimals, width;
        QString enUs;
    } cases[] = {
        {0.125, 2, 10, "      0.13"},
        {-0.125, 2, 10, "     -0.13"},
        {2.675, 2, 10, "      2.67"}, // the nearest double lies just below 2.675
        {1.005, 2, 10, "      1.00"},
        {1234567.891, 2, 10, "1234567.89"},
        {12345678.5, 1, 10, "12345678.5"},
        {12345678.5, 2, 10, "12345678.50"}, // longer than the width: not cut
        {2.5, 0, 10, "         3"},
        {-2.5, 0, 0, "-3"},
        {0.5, 0, 0, "1"},
        {0.49999999999999994, 0, 0, "0"},
        {9.995, 2, 0, "9.99"},
        {9.9951, 2, 0, "10.00"},
        {999.9999, 3, 0, "1000.000"},
        {0, 2, 4, "0.00"},
        {-0.001, 2, 0, "0.00"}, // rounds to zero: no sign
        {0.0049, 2, 0, "0.00"},
        {0.005, 2, 0, "0.01"},
        {1e-300, 2, 0, "0.00"},
        {1e20, 2, 0, "100000000000000000000.00"},
        {123456789012345678.0, 0, 0, "123456789012345680"}, // 18 significant digits, then zeros
        {0.1, 20, 0, "0.10000000000000000600"},             // 0.1000000000000000055511... to 18 digits
    };
    underBothLocales(cases, [](const auto& c, bool enUs) {
        QString expected = c.enUs;
        if (!enUs)
            expected.replace(u'.', u',');
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.width), expected) << c.value;
    });
}

TEST(Regional, FormatFixedWrittenTextReadsBackRounded) {
    // The round trip the settlement uses to round amounts to two decimals.
    const struct {
        double value, rounded;
    } cases[] = {{0.125, 0.13}, {-0.125, -0.13}, {2.675, 2.67}, {1.005, 1.0}, {1234567.891, 1234567.89}};
    underBothLocales(cases, [](const auto& c, bool) {
        EXPECT_EQ(StrToFloat(FormatFixed(c.value, 2, 10)), c.rounded) << c.value;
    });
}

// QApplication sets the C library's locale from the environment; the conversions must not follow it.
TEST(Regional, ConversionsIgnoreTheCLibraryLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "pt_BR.UTF-8") == nullptr)
        GTEST_SKIP() << "pt_BR.UTF-8 is not installed";
    const ScopedFormatSettings settings(kEnUs);
    EXPECT_EQ(FormatFixed(1234.5, 2, 0), "1234.50");
    EXPECT_EQ(FloatToStr(0.25), "0.25");
    EXPECT_EQ(StrToFloat("0.25"), 0.25);
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(Regional, FormatFloatMasks) {
    const struct {
        QString mask;
        double value;
        TwoLocales text;
    } cases[] = {
        {"#,##0.00", 1000.5, {"1,000.50", "1.000,50"}},
        {"#,##0.00", -1234.567, {"-1,234.57", "-1.234,57"}},
        {"#,##0.00", 0, {"0.00", "0,00"}},
        {"#,##0.00", 0.125, {"0.13", "0,13"}},
        {"#,##0.00", 999.999, {"1,000.00", "1.000,00"}},
        {"#,##0.00", 1234567890.1, {"1,234,567,890.10", "1.234.567.890,10"}},
        {"#,##0.00", 100, {"100.00", "100,00"}},
        {"0.00", 1234.5, {"1234.50", "1234,50"}},
        {"0.00", -0.004, {"0.00", "0,00"}},
        {"#,##0", 1234567.5, {"1,234,568", "1.234.568"}},
        {"#,##0", -999.4, {"-999", "-999"}},
        {"0", 2.5, {"3", "3"}},
        {"0", -0.4, {"0", "0"}},
        {"0.0#", 1.5, {"1.5", "1,5"}},
        {"0.0#", 1.257, {"1.26", "1,26"}},
    };
    underBothLocales(cases, [](const auto& c, bool enUs) {
        EXPECT_EQ(FormatFloat(c.mask, c.value), enUs ? c.text.enUs : c.text.ptBr)
            << c.mask.toStdString() << " " << c.value;
    });
}

TEST(Regional, FormatFloatRefusesMasksItDoesNotKnow) {
    for (const QString mask : {"", "#,##0.00;(#,##0.00)", "0.00%", "R$ #,##0.00", "0.0.0", "0.00E+00", ","}) {
        SCOPED_TRACE(mask.toStdString());
        EXPECT_THROW(FormatFloat(mask, 1.0), std::invalid_argument);
    }
}

TEST(Regional, FloatToStrUsesUpTo15SignificantDigits) {
    const struct {
        double value;
        QString enUs;
    } cases[] = {
        {12345, "12345"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {0, "0"},
        {100, "100"},
        {1234.5678, "1234.5678"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-2.5e20, "-2.5E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {std::nan(""), "NAN"},
    };
    underBothLocales(cases, [](const auto& c, bool enUs) {
        QString expected = c.enUs;
        if (!enUs)
            expected.replace(u'.', u',');
        EXPECT_EQ(FloatToStr(c.value), expected) << c.value;
    });
}

TEST(Regional, StrToFloatReadsTheLocalesDecimalSeparator) {
    const struct {
        TwoLocales text;
        double value;
    } cases[] = {
        {{"12.5", "12,5"}, 12.5}, {{"  -12.5  ", "  -12,5  "}, -12.5},
        {{"+3", "+3"}, 3},        {{".5", ",5"}, 0.5},
        {{"5.", "5,"}, 5},        {{"1.5E3", "1,5E3"}, 1500},
        {{"2e-2", "2e-2"}, 0.02}, {{"1E+2", "1E+2"}, 100},
        {{"0012", "0012"}, 12},   {{"1234567.89", "1234567,89"}, 1234567.89},
    };
    underBothLocales(cases, [](const auto& c, bool enUs) {
        const QString& text = enUs ? c.text.enUs : c.text.ptBr;
        EXPECT_EQ(StrToFloat(text), c.value) << text.toStdString();
    });
}

TEST(Regional, StrToFloatRefusesOtherText) {
    const TwoLocales cases[] = {
        {"", ""},           {"   ", "   "},     {"abc", "abc"},   {"12,5", "12.5"},
        {"1,000", "1.000"}, {"1.2.3", "1,2,3"}, {"1e", "1e"},     {"e5", "e5"},
        {".", ","},         {"- 1", "- 1"},     {"1 2", "1 2"},   {"1e999", "1e999"},
        {"12a", "12a"},     {"--1", "--1"},     {"0x10", "0x10"}, {"inf", "inf"},
    };
    underBothLocales(cases, [](const TwoLocales& c, bool enUs) {
        const QString& text = enUs ? c.enUs : c.ptBr;
        SCOPED_TRACE(text.toStdString());
        try {
            StrToFloat(text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(QString::fromStdString(e.what()), "'" + text + "' is not a valid floating point value");
        }
    });
}

TEST(Regional, DatesAndTimesFollowTheShortDateAndLongTimeFormats) {
    const struct {
        TDateTime value;
        TwoLocales date, time;
    } cases[] = {
        {EncodeDate(2024, 3, 7) + (13 * 3600 + 5 * 60 + 9) / 86400.0,
         {"3/7/2024", "07/03/2024"},
         {"1:05:09 PM", "13:05:09"}},
        {EncodeDate(2019, 12, 25) + (9 * 3600) / 86400.0,
         {"12/25/2019", "25/12/2019"},
         {"9:00:00 AM", "09:00:00"}},
        {EncodeDate(2001, 1, 1), {"1/1/2001", "01/01/2001"}, {"12:00:00 AM", "00:00:00"}},
        {0, {"12/30/1899", "30/12/1899"}, {"12:00:00 AM", "00:00:00"}},
    };
    underBothLocales(cases, [](const auto& c, bool enUs) {
        EXPECT_EQ(DateToStr(c.value), enUs ? c.date.enUs : c.date.ptBr);
        EXPECT_EQ(TimeToStr(c.value), enUs ? c.time.enUs : c.time.ptBr);
        EXPECT_EQ(StrToDate(DateToStr(c.value)), DateOf(c.value));
    });
}

TEST(Regional, StrToDateReadsTheShortDateOrder) {
    const struct {
        TwoLocales text;
        TDateTime value;
    } cases[] = {
        {{"3/7/2024", "7/3/2024"}, EncodeDate(2024, 3, 7)},
        {{"03/07/2024", "07/03/2024"}, EncodeDate(2024, 3, 7)},
        {{" 2/29/2024 ", " 29/02/2024 "}, EncodeDate(2024, 2, 29)},
        {{"1/2/05", "2/1/05"}, EncodeDate(2005, 1, 2)}, // two-digit year: the century nearest today
    };
    underBothLocales(cases, [](const auto& c, bool enUs) {
        const QString& text = enUs ? c.text.enUs : c.text.ptBr;
        EXPECT_EQ(StrToDate(text), c.value) << text.toStdString();
    });

    const TwoLocales invalid[] = {
        {"", ""},
        {"abc", "abc"},
        {"2/30/2024", "30/02/2024"},
        {"13/1/2024", "1/13/2024"},
        {"1/2", "2/1"},
        {"1/2/2024/5", "2/1/2024/5"},
        {"1-2-2024", "2-1-2024"},
        {"1/a/2024", "a/1/2024"},
        {"0/1/2024", "1/0/2024"},
    };
    underBothLocales(invalid, [](const TwoLocales& c, bool enUs) {
        const QString& text = enUs ? c.enUs : c.ptBr;
        SCOPED_TRACE(text.toStdString());
        try {
            StrToDate(text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(QString::fromStdString(e.what()), "'" + text + "' is not a valid date");
        }
    });
}

TEST(Regional, ShortDateWithMonthNamesReadsBack) {
    // The C locale, in force when no LANG is set, writes the month as a name.
    const ScopedFormatSettings settings(QLocale::c());
    const TDateTime date = EncodeDate(2024, 3, 7);
    EXPECT_EQ(DateToStr(date), "7 Mar 2024");
    EXPECT_EQ(StrToDate(DateToStr(date)), date);
    EXPECT_THROW(StrToDate("7 Foo 2024"), EConvertError);
}

TEST(Regional, IntToStrHasNoSeparators) {
    const ScopedFormatSettings settings(kPtBr);
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(1234567), "1234567");
    EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
}

} // namespace
