#include "platform/sys/IniFiles.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace {

// Windows files are often written in the ANSI code page rather than UTF-8: take UTF-8 only when the
// bytes are valid UTF-8. A file saved as "Unicode" is UTF-16 behind its byte-order mark, which the
// system's profile reader honours too.
QString decodeText(QByteArray bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes.sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE).decode(bytes.sliced(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

// A value written in quotes loses them, as the system's profile reader does.
QString unquote(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Digits of one base only, no sign, no blanks, nothing after them.
bool parseUnsigned(const std::string& digits, int base, unsigned long long& result) {
    if (digits.empty())
        return false;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, result, base);
    return ec == std::errc() && ptr == end;
}

} // namespace

TIniFile::TIniFile(const QString& fileName)
    : fileName_(fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = decodeText(file.readAll());

    Section* current = nullptr; // lines before the first section belong to none
    for (QStringView rawLine : QStringView(text).split(u'\n')) {
        const QString line = rawLine.trimmed().toString(); // also drops the CR of CRLF
        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            if (close < 0)
                continue;
            // A repeated section is kept but never looked at: lookups stop at the first of a name.
            current = &sections_.emplace_back(Section{line.mid(1, close - 1).trimmed().toLower(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || current == nullptr)
            continue;
        const QString key = line.left(equals).trimmed().toLower();
        if (key.isEmpty())
            continue;
        // A repeated key is kept too; lookups find the first one.
        current->entries.push_back(Entry{key, unquote(line.mid(equals + 1).trimmed())});
    }
}

const QString* TIniFile::find(const QString& section, const QString& key) const {
    const QString sectionName = section.trimmed().toLower();
    const QString keyName = key.trimmed().toLower();
    const auto s = std::find_if(sections_.begin(), sections_.end(),
                                [&](const Section& candidate) { return candidate.name == sectionName; });
    if (s == sections_.end())
        return nullptr;
    const auto e = std::find_if(s->entries.begin(), s->entries.end(),
                                [&](const Entry& candidate) { return candidate.key == keyName; });
    return e == s->entries.end() ? nullptr : &e->value;
}

QString TIniFile::ReadString(const QString& Section, const QString& Key, const QString& Default) const {
    const QString* value = find(Section, Key);
    return value ? *value : Default;
}

int TIniFile::ReadInteger(const QString& Section, const QString& Key, int Default) const {
    const QString* value = find(Section, Key);
    if (!value)
        return Default;
    // Non-ASCII characters turn into bytes that are no digit, so they fail below.
    std::string text = value->toLatin1().toStdString();

    unsigned long long magnitude = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (!parseUnsigned(text.substr(2), 16, magnitude) ||
            magnitude > static_cast<unsigned long long>(std::numeric_limits<int>::max()))
            return Default;
        return static_cast<int>(magnitude);
    }

    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.erase(0, 1);
    }
    if (!parseUnsigned(text, 10, magnitude))
        return Default;
    const auto limit = static_cast<unsigned long long>(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    if (magnitude > limit)
        return Default;
    const auto signedValue = static_cast<long long>(magnitude);
    return static_cast<int>(negative ? -signedValue : signedValue);
}
