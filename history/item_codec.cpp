// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/item_codec.h"

namespace {

constexpr char Plain = 1;
constexpr char Deflated = 2;

bool isDigitText(const QByteArray& items)
{
    for (char c : items) {
        if (c != 0 && (c < '0' || c > '9'))
            return false;
    }
    return true;
}

void putNumber(QByteArray& out, quint64 value)
{
    while (value >= 0x80) {
        out.append(char(0x80 | (value & 0x7F)));
        value >>= 7;
    }
    out.append(char(value));
}

void putList(QByteArray& out, const QVector<qint32>& list)
{
    putNumber(out, quint64(list.size()));
    qint64 previous = 0;
    for (qint32 value : list) {
        const qint64 delta = qint64(value) - previous;
        putNumber(out, quint64((delta << 1) ^ (delta >> 63)));
        previous = value;
    }
}

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : p_(bytes.constData()), end_(p_ + bytes.size()) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return p_ == end_; }

    quint64 number()
    {
        quint64 value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (p_ == end_) {
                ok_ = false;
                return 0;
            }
            const quint8 byte = quint8(*p_++);
            value |= quint64(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value;
        }
        ok_ = false;
        return 0;
    }

    QVector<qint32> list()
    {
        const quint64 size = number();
        // Every value takes a byte at least: a length beyond what is left is damage.
        if (!ok_ || size > quint64(end_ - p_)) {
            ok_ = false;
            return {};
        }
        QVector<qint32> values(qsizetype(size), 0);
        qint64 previous = 0;
        for (qint32& value : values) {
            const quint64 zigzag = number();
            const qint64 delta = qint64(zigzag >> 1) ^ -qint64(zigzag & 1);
            previous += delta;
            if (previous < INT32_MIN || previous > INT32_MAX)
                ok_ = false;
            value = qint32(previous);
        }
        return values;
    }

private:
    const char* p_;
    const char* end_;
    bool ok_ = true;
};

} // namespace

QVariant ItemCodec::symbols(const QByteArray& items)
{
    if (!isDigitText(items))
        return items;
    QByteArray text = items;
    text.replace('\0', ' ');
    return QString::fromLatin1(text);
}

QByteArray ItemCodec::symbolsFrom(const QVariant& stored)
{
    if (stored.typeId() != QMetaType::QString)
        return stored.toByteArray();
    QByteArray items = stored.toString().toLatin1();
    items.replace(' ', '\0');
    return items;
}

QByteArray ItemCodec::times(const Attempt& attempt)
{
    QByteArray lists;
    putList(lists, attempt.shownAtMs);
    putList(lists, attempt.lastShownAtMs);
    putList(lists, attempt.answeredAtMs);
    if (lists.size() <= DeflateFrom)
        return Plain + lists;
    return Deflated + qCompress(lists, 6);
}

bool ItemCodec::readTimes(const QByteArray& blob, Attempt& attempt)
{
    attempt.shownAtMs.clear();
    attempt.lastShownAtMs.clear();
    attempt.answeredAtMs.clear();
    if (blob.isEmpty())
        return true;
    QByteArray lists;
    if (blob.front() == Plain)
        lists = blob.mid(1);
    else if (blob.front() == Deflated)
        lists = qUncompress(blob.mid(1));
    else
        return false;
    Reader r(lists);
    QVector<qint32> shown = r.list();
    QVector<qint32> lastShown = r.list();
    QVector<qint32> answered = r.list();
    if (!r.ok() || !r.atEnd())
        return false;
    attempt.shownAtMs = std::move(shown);
    attempt.lastShownAtMs = std::move(lastShown);
    attempt.answeredAtMs = std::move(answered);
    return true;
}
