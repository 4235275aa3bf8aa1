#pragma once
// Errors raised by the data-access layer. They carry the text the operator sees in the error box.

#include <QString>

#include <stdexcept>
#include <string>

class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

// An error reported by the server or by the client library, with its error number.
class EMySqlError : public EDatabaseError {
public:
    EMySqlError(unsigned errorCode, const QString& message)
        : EDatabaseError(message)
        , errorCode_(errorCode) {}
    unsigned ErrorCode() const { return errorCode_; }
    // The connection is unusable after this error and must be opened again.
    bool IsConnectionLost() const { return errorCode_ == 2006 || errorCode_ == 2013 || errorCode_ == 2055; }

private:
    unsigned errorCode_;
};
