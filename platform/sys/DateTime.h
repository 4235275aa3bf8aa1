#pragma once
// Calendar values as the suite's platform counts them: a TDateTime is a number of days since
// 30 December 1899, the fraction being the time of day. A null date reads as 0.

#include <QDate>
#include <QDateTime>
#include <QTime>

using TDateTime = double;

// Day number of 30 December 1899 on Qt's Julian day scale.
inline constexpr qint64 kDateTimeEpochJulianDay = 2415019;

inline TDateTime EncodeDate(int year, int month, int day) {
    return static_cast<double>(QDate(year, month, day).toJulianDay() - kDateTimeEpochJulianDay);
}

inline TDateTime DateTimeFromQDate(const QDate& d) {
    return d.isValid() ? static_cast<double>(d.toJulianDay() - kDateTimeEpochJulianDay) : 0.0;
}

// The date part of a TDateTime (the fraction, whatever the sign, is the time of day).
inline qint64 DayNumber(TDateTime dt) {
    return static_cast<qint64>(dt < 0 ? -static_cast<qint64>(-dt) : static_cast<qint64>(dt));
}

inline QDate QDateFromDateTime(TDateTime dt) { return QDate::fromJulianDay(DayNumber(dt) + kDateTimeEpochJulianDay); }

inline QTime QTimeFromDateTime(TDateTime dt) {
    double frac = dt - static_cast<double>(DayNumber(dt));
    if (frac < 0)
        frac = -frac;
    const int ms = static_cast<int>(frac * 86400000.0 + 0.5);
    return QTime::fromMSecsSinceStartOfDay(ms >= 86400000 ? 86399999 : ms);
}

inline TDateTime DateTimeFromQDateTime(const QDateTime& dt) {
    if (!dt.isValid())
        return 0.0;
    const double day = DateTimeFromQDate(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return day >= 0 ? day + frac : day - frac;
}

inline QDateTime QDateTimeFromDateTime(TDateTime dt) { return QDateTime(QDateFromDateTime(dt), QTimeFromDateTime(dt)); }

// Today, without a time of day.
inline TDateTime Date() { return DateTimeFromQDate(QDate::currentDate()); }
inline TDateTime Now() { return DateTimeFromQDateTime(QDateTime::currentDateTime()); }
// The calendar date alone.
inline TDateTime DateOf(TDateTime dt) { return static_cast<double>(DayNumber(dt)); }
