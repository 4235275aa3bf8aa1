#pragma once
// Reader of Windows initialisation files ("[Section]" lines and "Key=Value" lines).

#include <QString>

#include <vector>

class TIniFile {
public:
    // Reads the whole file now; a file that is missing or unreadable reads as empty, so every value
    // falls back to its default. The file is never written.
    explicit TIniFile(const QString& fileName);

    const QString& FileName() const { return fileName_; }

    // The value of Key in Section, blanks around it dropped; Default when the section or key is missing.
    QString ReadString(const QString& Section, const QString& Key, const QString& Default) const;
    // The value read as a whole number: decimal with an optional sign, or hexadecimal after "0x";
    // Default when missing, empty, not a whole number or out of range.
    int ReadInteger(const QString& Section, const QString& Key, int Default) const;

private:
    struct Entry {
        QString key; // folded to lower case
        QString value;
    };
    struct Section {
        QString name; // folded to lower case
        std::vector<Entry> entries;
    };

    const QString* find(const QString& section, const QString& key) const;

    QString fileName_;
    std::vector<Section> sections_;
};
