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
