#include "platform/sys/Regional.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

std::optional<TFormatSettings>& currentSettings() {
    static std::optional<TFormatSettings> settings;
    return settings;
}

// Rewrites the letter runs of a Qt date/time format ("yy", "AP", "t") through replace(letter, length);
// quoted literal text is copied unchanged.
template <class Replace> QString rewriteFormat(const QString& format, Replace replace) {
    QString out;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            const qsizetype close = format.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? format.size() : close + 1;
            out += format.mid(i, end - i);
            i = end;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < format.size() && format.at(j) == c)
                ++j;
            replace(out, c, j - i);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// Qt's short formats often carry a two-digit year; the platform's dates read with four.
QString withFullYear(const QString& format) {
    return rewriteFormat(format, [](QString& out, QChar c, qsizetype n) {
        out += c == u'y' ? QStringLiteral("yyyy") : QString(n, c);
    });
}

// The platform's long time format names no time zone.
QString withoutTimeZone(const QString& format) {
    return rewriteFormat(format,
                         [](QString& out, QChar c, qsizetype n) {
                             if (c == u't') {
                                 while (out.endsWith(u' '))
                                     out.chop(1);
                             } else {
                                 out += QString(n, c);
                             }
                         })
        .trimmed();
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The first `count` significant decimal digits of a non-negative finite value, correctly rounded:
// value ~= d.ddd... x 10^exponent. to_chars does not depend on the C library's locale.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};

SignificantDigits significantDigits(double magnitude, int count) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, count - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    SignificantDigits out;
    for (char c : text.substr(0, e))
        if (c != '.')
            out.digits += c;
    std::string_view exponent = text.substr(e + 1);
    const bool negative = exponent.front() == '-';
    exponent.remove_prefix(1); // to_chars always writes the exponent's sign
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), out.exponent);
    if (negative)
        out.exponent = -out.exponent;
    return out;
}

// A value written with a fixed number of decimals, before separators and sign are added.
struct FixedDigits {
    bool negative = false;
    std::string integral; // at least one digit, no leading zeros
    std::string fraction; // exactly `decimals` digits
};

void incrementDecimal(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

FixedDigits fixedDigits(double value, int decimals) {
    if (decimals < 0)
        throw std::invalid_argument("negative number of decimals");
    constexpr int kSignificant = 18;
    const SignificantDigits sig = significantDigits(std::fabs(value), kSignificant);

    // Digits whose place value is 10^-decimals or more; those beyond the 18th count as zeros.
    const long keep = static_cast<long>(sig.exponent) + decimals + 1;
    std::string scaled; // the value times 10^decimals, as a whole number
    bool roundUp = false;
    if (keep > 0) {
        scaled = sig.digits.substr(0, static_cast<std::size_t>(std::min<long>(keep, kSignificant)));
        if (keep > kSignificant)
            scaled.append(static_cast<std::size_t>(keep - kSignificant), '0');
        else if (keep < kSignificant)
            roundUp = sig.digits[static_cast<std::size_t>(keep)] >= '5';
    } else if (keep == 0) {
        roundUp = sig.digits.front() >= '5';
    }
    if (scaled.empty())
        scaled = "0";
    if (roundUp)
        incrementDecimal(scaled);

    const auto fractionLength = static_cast<std::size_t>(decimals);
    if (scaled.size() < fractionLength + 1)
        scaled.insert(0, fractionLength + 1 - scaled.size(), '0');
    FixedDigits out;
    out.fraction = scaled.substr(scaled.size() - fractionLength);
    out.integral = scaled.substr(0, scaled.size() - fractionLength);
    const std::size_t firstNonZero = out.integral.find_first_not_of('0');
    out.integral.erase(0, std::min(firstNonZero, out.integral.size() - 1));
    // A value that rounds to zero shows no minus sign.
    out.negative = std::signbit(value) && scaled.find_first_not_of('0') != std::string::npos;
    return out;
}

QString nonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString groupThousands(const std::string& integral, const QString& separator) {
    QString out;
    const std::size_t n = integral.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += QChar::fromLatin1(integral[i]);
    }
    return out;
}

// What a FormatFloat mask asks for.
struct NumberMask {
    bool grouping = false;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

NumberMask parseMask(const QString& mask) {
    const auto unsupported = [&] {
        return std::invalid_argument("unsupported number format \"" + mask.toStdString() + "\"");
    };
    NumberMask out;
    bool placeholders = false;
    bool inFraction = false;
    for (const QChar c : mask) {
        if (c == u'.' && !inFraction) {
            inFraction = true;
        } else if (c == u',' && !inFraction) {
            out.grouping = true;
        } else if (c == u'0' || c == u'#') {
            placeholders = true;
            if (!inFraction) {
                out.minIntegerDigits += c == u'0' ? 1 : 0;
            } else {
                ++out.maxDecimals;
                if (c == u'0')
                    out.minDecimals = out.maxDecimals;
            }
        } else {
            throw unsupported();
        }
    }
    if (!placeholders)
        throw unsupported();
    return out;
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale) {
    TFormatSettings s;
    s.DecimalSeparator = locale.decimalPoint();
    s.ThousandSeparator = locale.groupSeparator();
    s.ShortDateFormat = withFullYear(locale.dateFormat(QLocale::ShortFormat));
    s.LongTimeFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    s.Locale = locale;
    return s;
}

const TFormatSettings& FormatSettings() {
    std::optional<TFormatSettings>& settings = currentSettings();
    if (!settings)
        settings = TFormatSettings::FromLocale(QLocale::system());
    return *settings;
}

void SetFormatSettingsForTesting(const QLocale& locale) {
    currentSettings() = TFormatSettings::FromLocale(locale);
}

ScopedFormatSettings::ScopedFormatSettings(const QLocale& locale)
    : previous_(currentSettings()) {
    SetFormatSettingsForTesting(locale);
}

ScopedFormatSettings::~ScopedFormatSettings() {
    currentSettings() = std::move(previous_);
}

QString FloatToStr(double value) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");
    constexpr int kPrecision = 15;
    SignificantDigits sig = significantDigits(std::fabs(value), kPrecision);
    sig.digits.erase(sig.digits.find_last_not_of('0') + 1);
    const QString digits = QString::fromLatin1(sig.digits);
    const QString& separator = FormatSettings().DecimalSeparator;

    QString text = value < 0 ? QStringLiteral("-") : QString();
    const int pointAfter = sig.exponent + 1; // digits before the decimal point
    if (pointAfter > kPrecision || pointAfter < -3) {
        text += digits.front();
        if (digits.size() > 1)
            text += separator + digits.mid(1);
        text += u'E' + QString::number(sig.exponent);
    } else if (pointAfter <= 0) {
        text += u'0' + separator + QString(-pointAfter, u'0') + digits;
    } else if (pointAfter >= digits.size()) {
        text += digits + QString(pointAfter - digits.size(), u'0');
    } else {
        text += digits.left(pointAfter) + separator + digits.mid(pointAfter);
    }
    return text;
}

double StrToFloat(const QString& text) {
    const auto invalid = [&] {
        return EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    };
    const QString t = text.trimmed();
    const QString& separator = FormatSettings().DecimalSeparator;
    const qsizetype n = t.size();
    qsizetype i = 0;
    std::string ascii;

    if (i < n && (t.at(i) == u'+' || t.at(i) == u'-')) {
        if (t.at(i) == u'-')
            ascii += '-';
        ++i;
    }
    ascii += '0'; // so that ",5" reads as 0.5
    int mantissaDigits = 0;
    const auto takeDigits = [&](int& count) {
        for (; i < n && isAsciiDigit(t.at(i)); ++i, ++count)
            ascii += static_cast<char>(t.at(i).unicode());
    };
    takeDigits(mantissaDigits);
    if (!separator.isEmpty() && QStringView(t).mid(i).startsWith(separator)) {
        i += separator.size();
        ascii += '.';
        takeDigits(mantissaDigits);
    }
    if (mantissaDigits == 0)
        throw invalid();
    if (i < n && (t.at(i) == u'e' || t.at(i) == u'E')) {
        ++i;
        ascii += 'e';
        if (i < n && (t.at(i) == u'+' || t.at(i) == u'-')) {
            if (t.at(i) == u'-')
                ascii += '-';
            ++i;
        }
        int exponentDigits = 0;
        takeDigits(exponentDigits);
        if (exponentDigits == 0)
            throw invalid();
    }
    if (i != n)
        throw invalid();

    double value = 0;
    const char* end = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.data(), end, value);
    if (ec != std::errc() || ptr != end)
        throw invalid();
    return value;
}

QString FormatFloat(const QString& mask, double value) {
    const NumberMask m = parseMask(mask);
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const TFormatSettings& s = FormatSettings();
    FixedDigits d = fixedDigits(value, m.maxDecimals);

    while (d.fraction.size() > static_cast<std::size_t>(m.minDecimals) && d.fraction.back() == '0')
        d.fraction.pop_back();
    if (d.integral == "0")
        d.integral.clear();
    if (d.integral.size() < static_cast<std::size_t>(m.minIntegerDigits))
        d.integral.insert(0, static_cast<std::size_t>(m.minIntegerDigits) - d.integral.size(), '0');

    QString text = d.negative ? QStringLiteral("-") : QString();
    text += m.grouping ? groupThousands(d.integral, s.ThousandSeparator) : QString::fromLatin1(d.integral);
    if (!d.fraction.empty())
        text += s.DecimalSeparator + QString::fromLatin1(d.fraction);
    return text;
}

QString FormatFixed(double value, int decimals, int width) {
    QString text;
    if (!std::isfinite(value)) {
        text = nonFiniteText(value);
    } else {
        const FixedDigits d = fixedDigits(value, decimals);
        text = d.negative ? QStringLiteral("-") : QString();
        text += QString::fromLatin1(d.integral);
        if (decimals > 0)
            text += FormatSettings().DecimalSeparator + QString::fromLatin1(d.fraction);
    }
    return text.rightJustified(width, u' ');
}

QString DateToStr(TDateTime value) {
    const TFormatSettings& s = FormatSettings();
    return s.Locale.toString(QDateFromDateTime(value), s.ShortDateFormat);
}

QString TimeToStr(TDateTime value) {
    const TFormatSettings& s = FormatSettings();
    return s.Locale.toString(QTimeFromDateTime(value), s.LongTimeFormat);
}

TDateTime StrToDate(const QString& text) {
    const auto invalid = [&] { return EConvertError(QStringLiteral("'%1' is not a valid date").arg(text)); };
    const TFormatSettings& s = FormatSettings();
    const QString t = text.trimmed();

    // The order of day, month and year and the separator between them, as the short format has them.
    QString order;
    QChar separator;
    bool monthNames = false;
    rewriteFormat(s.ShortDateFormat, [&](QString&, QChar c, qsizetype n) {
        if ((c == u'd' || c == u'M' || c == u'y') && !order.contains(c))
            order += c;
        monthNames = monthNames || (c == u'M' && n >= 3) || (c == u'd' && n >= 3);
    });
    for (const QChar c : s.ShortDateFormat) {
        if (!c.isLetterOrNumber() && c != u' ' && c != u'\'') {
            separator = c;
            break;
        }
    }

    if (monthNames || order.size() != 3 || separator.isNull()) {
        const QDate date = s.Locale.toDate(t, s.ShortDateFormat);
        if (!date.isValid())
            throw invalid();
        return DateTimeFromQDate(date);
    }

    const QStringList parts = t.split(separator);
    if (parts.size() != 3)
        throw invalid();
    int day = 0, month = 0, year = 0;
    bool twoDigitYear = false;
    for (qsizetype k = 0; k < 3; ++k) {
        const QString& part = parts.at(k);
        if (part.isEmpty() || part.size() > 4 || !std::all_of(part.begin(), part.end(), isAsciiDigit))
            throw invalid();
        const int number = part.toInt();
        const QChar field = order.at(k);
        if (field == u'd')
            day = number;
        else if (field == u'M')
            month = number;
        else {
            year = number;
            twoDigitYear = part.size() <= 2;
        }
    }
    if (twoDigitYear) {
        // A two-digit year lies within 50 years of the current one.
        const int current = QDate::currentDate().year();
        year += current - current % 100;
        if (year > current + 49)
            year -= 100;
        else if (year < current - 50)
            year += 100;
    }
    if (!QDate::isValid(year, month, day))
        throw invalid();
    return EncodeDate(year, month, day);
}

QString IntToStr(qint64 value) {
    return QString::number(value);
}
