#pragma once
// Errors of the conversion routines, under the platform's class name.

#include <QString>

#include <stdexcept>

// A text that does not read as the number or date it was asked for.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};

// The text without its leading and trailing blanks and control characters (every character up to and
// including the space).
inline QString Trim(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= u' ')
        ++first;
    while (last > first && text[last - 1].unicode() <= u' ')
        --last;
    return text.mid(first, last - first);
}
