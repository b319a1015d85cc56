// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/ini_file.h"

#include "core/formats.h"
#include "core/korvanis_error.h"
#include "core/replace_file.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <limits>
#include <vector>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

// How the file holds its text. The line editing below works on 8-bit text,
// byte for byte, whatever its code page; a UTF-16 file (Notepad's "Unicode",
// always with its byte-order mark) is turned into UTF-8 for it and back, so that
// a write keeps the file in its own encoding.
enum class Encoding { EightBit, Utf16LE, Utf16BE };

const QByteArray Utf16LEMark("\xFF\xFE");
const QByteArray Utf16BEMark("\xFE\xFF");

Encoding encodingOf(const QByteArray& raw)
{
    if (raw.startsWith(Utf16LEMark))
        return Encoding::Utf16LE;
    if (raw.startsWith(Utf16BEMark))
        return Encoding::Utf16BE;
    return Encoding::EightBit;
}

// The text after a UTF-16 file's mark; encoded() puts the mark back.
QByteArray decoded(const QByteArray& raw, Encoding encoding)
{
    if (encoding == Encoding::EightBit)
        return raw;
    QString text((raw.size() - 2) / 2, Qt::Uninitialized);
    if (encoding == Encoding::Utf16LE)
        qFromLittleEndian<char16_t>(raw.constData() + 2, text.size(), text.data());
    else
        qFromBigEndian<char16_t>(raw.constData() + 2, text.size(), text.data());
    return text.toUtf8();
}

QByteArray encoded(const QByteArray& text, Encoding encoding)
{
    if (encoding == Encoding::EightBit)
        return text;
    const QString units = QString::fromUtf8(text);
    QByteArray raw(units.size() * 2, Qt::Uninitialized);
    if (encoding == Encoding::Utf16LE)
        qToLittleEndian<char16_t>(units.constData(), units.size(), raw.data());
    else
        qToBigEndian<char16_t>(units.constData(), units.size(), raw.data());
    return (encoding == Encoding::Utf16LE ? Utf16LEMark : Utf16BEMark) + raw;
}

// One line of the file: its bytes without the line break, and the break itself
// ("\r\n", "\n", "\r" or nothing for a last line without one). A file saved
// with the old Macintosh CR-only breaks is as much a settings file as any other.
struct Line {
    QByteArray text;
    QByteArray eol;
};

std::vector<Line> splitLines(const QByteArray& content)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = start;
        while (end < content.size() && content.at(end) != '\n' && content.at(end) != '\r')
            ++end;
        qsizetype next = end;
        if (next < content.size() && content.at(next) == '\r')
            ++next;
        if (next < content.size() && content.at(next) == '\n')
            ++next;
        lines.push_back({content.mid(start, end - start), content.mid(end, next - end)});
        start = next;
    }
    return lines;
}

QByteArray joinLines(const std::vector<Line>& lines)
{
    QByteArray out;
    for (const Line& line : lines)
        out += line.text + line.eol;
    return out;
}

// The text of a line as the parser sees it: without a leading byte-order mark
// and surrounding blanks.
QByteArray parsedText(const Line& line, bool first)
{
    QByteArray text = line.text;
    if (first && text.startsWith(Bom))
        text.remove(0, Bom.size());
    return text.trimmed();
}

bool sectionName(const QByteArray& text, QByteArray& name)
{
    if (!text.startsWith('['))
        return false;
    const qsizetype close = text.indexOf(']');
    name = (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
    return true;
}

bool keyLine(const QByteArray& text, QByteArray& key, QByteArray& value)
{
    if (text.startsWith(';') || text.startsWith('#'))
        return false;
    const qsizetype eq = text.indexOf('=');
    if (eq <= 0)
        return false;
    key = text.left(eq).trimmed();
    value = text.mid(eq + 1).trimmed();
    return !key.isEmpty();
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section and a key stand in the file; -1 when absent.
struct Location {
    int sectionLine = -1;
    int lastContentLine = -1; // last non-blank line of the section
    int keyLine = -1;
    QByteArray value;
};

Location locate(const std::vector<Line>& lines, const QByteArray& section, const QByteArray& key)
{
    Location where;
    bool inSection = false;
    for (int i = 0; i < int(lines.size()); ++i) {
        const QByteArray text = parsedText(lines[i], i == 0);
        QByteArray name;
        if (sectionName(text, name)) {
            if (inSection)
                break; // the first section of that name is the one that counts
            inSection = sameName(name, section);
            if (inSection) {
                where.sectionLine = i;
                where.lastContentLine = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!text.isEmpty())
            where.lastContentLine = i;
        QByteArray k, v;
        if (where.keyLine < 0 && keyLine(text, k, v) && sameName(k, key)) {
            where.keyLine = i;
            where.value = v;
        }
    }
    return where;
}

// The file's own line break, or for a file without one the break the Windows
// profile functions write.
QByteArray preferredEol(const std::vector<Line>& lines)
{
    for (const Line& line : lines) {
        if (!line.eol.isEmpty())
            return line.eol;
    }
    return QByteArray("\r\n");
}

QByteArray readAll(const QString& fileName, bool* readable = nullptr)
{
    QFile file(fileName);
    if (!file.exists()) {
        if (readable)
            *readable = true;
        return QByteArray();
    }
    const bool ok = QFileInfo(fileName).isFile() && file.open(QIODevice::ReadOnly);
    if (readable)
        *readable = ok;
    return ok ? file.readAll() : QByteArray();
}

// A whole decimal integer with optional sign and surrounding blanks.
bool ParseIniInteger(const QString& text, int& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    qsizetype i = 0;
    if (t.at(0) == QLatin1Char('-') || t.at(0) == QLatin1Char('+'))
        i = 1;
    if (i == t.size())
        return false;
    for (qsizetype j = i; j < t.size(); ++j) {
        if (t.at(j) < QLatin1Char('0') || t.at(j) > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const qlonglong parsed = t.toLongLong(&ok);
    if (!ok || parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
        return false;
    value = int(parsed);
    return true;
}

// A value as a read returns it: without one pair of enclosing quotes.
QByteArray unquoted(const QByteArray& value)
{
    if (value.size() >= 2 && ((value.startsWith('"') && value.endsWith('"'))
                              || (value.startsWith('\'') && value.endsWith('\''))))
        return value.mid(1, value.size() - 2);
    return value;
}

// The edit a write makes, on 8-bit or UTF-8 text.
QByteArray withValueInText(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                           const QByteArray& value)
{
    std::vector<Line> lines = splitLines(content);
    const QByteArray eol = preferredEol(lines);
    const Location where = locate(lines, section, key);

    // A value the key already holds, as a read would give it back, is left as
    // the file has it: blanks around "=", quotes and all, as the Windows
    // profile functions leave it. So such a write needs no file it may write.
    if (where.keyLine >= 0 && unquoted(where.value) == value)
        return content;

    if (where.keyLine >= 0) {
        // Keep the key as the file spells it and the line's own line break.
        Line& line = lines[where.keyLine];
        QByteArray prefix;
        if (where.keyLine == 0 && line.text.startsWith(Bom))
            prefix = Bom;
        QByteArray k, v;
        keyLine(parsedText(line, where.keyLine == 0), k, v);
        line.text = prefix + k + '=' + value;
        return joinLines(lines);
    }

    // Only the line the new text follows needs a break of its own; a last line
    // without one elsewhere in the file stays as it is.
    const Line newKey{key + '=' + value, eol};
    if (where.sectionLine >= 0) {
        Line& above = lines[where.lastContentLine];
        if (above.eol.isEmpty())
            above.eol = eol;
        lines.insert(lines.begin() + where.lastContentLine + 1, newKey);
        return joinLines(lines);
    }

    // A new section follows the last line directly, as the profile functions
    // add it.
    if (!lines.empty() && lines.back().eol.isEmpty())
        lines.back().eol = eol;
    lines.push_back({'[' + section + ']', eol});
    lines.push_back(newKey);
    return joinLines(lines);
}

// False for a UTF-16 file with an odd byte or half a surrogate pair.
bool survivesDecoding(const QByteArray& content)
{
    const Encoding encoding = encodingOf(content);
    return encoded(decoded(content, encoding), encoding) == content;
}

} // namespace

bool IniFile::lookup(const QByteArray& content, const QByteArray& section, const QByteArray& key, QByteArray& value)
{
    const Location where = locate(splitLines(decoded(content, encodingOf(content))), section, key);
    if (where.keyLine < 0)
        return false;
    value = unquoted(where.value);
    return true;
}

QByteArray IniFile::withValue(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                              const QByteArray& value)
{
    const Encoding encoding = encodingOf(content);
    return encoded(withValueInText(decoded(content, encoding), section, key, value), encoding);
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    QByteArray value;
    if (!lookup(readAll(fileName_), section.toUtf8(), key.toUtf8(), value))
        return def;
    return QString::fromUtf8(value);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    int value = def;
    return ParseIniInteger(ReadString(section, key, QString()), value) ? value : def;
}

double IniFile::ReadFloat(const QString& section, const QString& key, double def) const
{
    double value = def;
    return ParseDecimal(ReadString(section, key, QString()), value) ? value : def;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    WriteStrings(section, {{key, value}});
}

void IniFile::WriteStrings(const QString& section, const QList<std::pair<QString, QString>>& values)
{
    const auto fail = [this] {
        throw KorvanisError(QStringLiteral("nach %1 kann nicht geschrieben werden").arg(fileName_));
    };
    bool readable = false;
    const QByteArray content = readAll(fileName_, &readable);
    // A file we cannot read would be replaced by one holding only this key.
    if (!readable)
        fail();
    // Neither would a file whose text comes back altered from decoding: a write
    // would change lines it does not concern.
    if (!survivesDecoding(content))
        fail();
    QByteArray updated = content;
    for (const auto& [key, value] : values)
        updated = withValue(updated, section.toUtf8(), key.toUtf8(), value.toUtf8());
    // Nothing to change: leave the file alone, so a read-only file that already
    // holds the value is no failure.
    const QFileInfo info(fileName_);
    if (updated == content && info.exists())
        return;
    // A file marked read-only stays untouched, even for a user allowed to
    // override the mark.
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && !(info.permissions() & anyWrite))
        fail();
    if (!ReplaceFileContents(fileName_, updated))
        fail();
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteFloat(const QString& section, const QString& key, double value)
{
    WriteString(section, key, FormatShortest(value));
}
