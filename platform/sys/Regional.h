#pragma once
// Every number, date and time of the program turned into text and back, under the user's regional
// settings: decimal and thousands separators, short date format, long time format.

#include "platform/sys/DateTime.h"
#include "platform/sys/SysUtils.h"

#include <QLocale>
#include <QString>

#include <optional>

struct TFormatSettings {
    QString DecimalSeparator;
    QString ThousandSeparator;
    QString ShortDateFormat; // Qt date format, always with a four-digit year
    QString LongTimeFormat;  // Qt time format, without a time-zone part
    QLocale Locale;          // names of months and of AM/PM

    static TFormatSettings FromLocale(const QLocale& locale);
};

// The settings in force: those of QLocale::system() unless a test replaced them.
const TFormatSettings& FormatSettings();

// Replaces the settings for the rest of the process (tests run several locales in one process).
void SetFormatSettingsForTesting(const QLocale& locale);

// Puts the settings of one locale in force for its lifetime, then brings back the ones before.
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(const QLocale& locale);
    ~ScopedFormatSettings();
    ScopedFormatSettings(const ScopedFormatSettings&) = delete;
    ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

private:
    std::optional<TFormatSettings> previous_;
};

// Up to 15 significant digits, no thousands separator, whole values without decimals; exponent form
// ("1E20", "1,5E-7") only for very large or very small magnitudes.
QString FloatToStr(double value);
// Optional sign, digits with the decimal separator, optional exponent; blanks around it skipped.
// Throws EConvertError for anything else.
double StrToFloat(const QString& text);
// Masks built of "#", "0", "," and one ".": "#,##0.00", "0.00", "#,##0", "0". Halves round away from
// zero. Throws std::invalid_argument for any other mask.
QString FormatFloat(const QString& mask, double value);
// What "%<width>.<decimals>f" gives: fixed point, no thousands separator, blanks on the left up to
// width (a longer text is not cut). Digits are the value's first 18 significant digits, rounded at the
// last decimal with halves away from zero.
QString FormatFixed(double value, int decimals, int width);

QString DateToStr(TDateTime value);
QString TimeToStr(TDateTime value);
// Throws EConvertError when the text is no date in the short date format.
TDateTime StrToDate(const QString& text);
QString IntToStr(qint64 value);
