// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// A settings file of the Windows initialisation-file kind, read and written the
// way the platform's private-profile functions do it: sections and keys compared
// without regard to case, keys with spaces written as they are, every read and
// every write going straight to the file. A write changes only the line it
// concerns; other sections, keys, comments, unknown lines, a byte-order mark, the
// file's line breaks (CRLF, LF or CR alone) and its encoding (8-bit, UTF-8, or
// UTF-16 of either byte order with its byte-order mark) survive byte for byte.
// Writing the value a key already holds changes nothing, so it succeeds on a file
// that may not be written. A new file gets CRLF line breaks, and a new section
// follows the last line directly, as the profile functions write them. Writes go
// through a temporary file and a rename, so a crash never leaves a truncated file.
class IniFile {
public:
    explicit IniFile(const QString& fileName) : fileName_(fileName) {}
    const QString& fileName() const { return fileName_; }

    // The value of key in section, blanks and one pair of enclosing quotes
    // removed; def when the file, section or key is missing.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // A decimal integer; def for anything that is not one or does not fit.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // A number with the user's decimal separator (',' and '.' are read too); def otherwise.
    double ReadFloat(const QString& section, const QString& key, double def) const;

    // Each raises KorvanisError "nach <file> kann nicht geschrieben werden" when
    // the file cannot be written; the file is then left as it was.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Shortest decimal form with the user's decimal separator.
    void WriteFloat(const QString& section, const QString& key, double value);
    // Several keys of one section in one replacement of the file: all of them
    // are written, or, when the file cannot be written, none.
    void WriteStrings(const QString& section, const QList<std::pair<QString, QString>>& values);

    // The edit a write makes and the lookup a read makes, on the file's bytes in
    // whichever encoding the file has; section, key and value in UTF-8.
    static QByteArray withValue(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                                const QByteArray& value);
    static bool lookup(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                       QByteArray& value);

private:
    QString fileName_;
};
