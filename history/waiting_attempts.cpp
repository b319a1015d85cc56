// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/waiting_attempts.h"

#include "core/replace_file.h"
#include "history/item_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

const QString Suffix = QStringLiteral(".pending.json");

// An empty field is written as null, as the history stores it as nothing.
template <typename T> QJsonValue json(const std::optional<T>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QString base64(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

// The items in the codes the history file keeps them in, each list as Base64.
QJsonObject itemsJson(const AttemptRecord& a)
{
    return {
        {"per_row", a.itemsPerRow},
        {"given", base64(a.items.given)},
        {"answers", base64(a.items.answers)},
        {"times", base64(ItemCodec::times(a.items))},
    };
}

QJsonObject toJson(const StoredAttempt& stored)
{
    const AttemptRecord& a = stored.attempt;
    QJsonObject object = {
        {"discipline", a.discipline},
        {"count", json(a.setting.count)},
        {"per_line", json(a.setting.perLine)},
        {"memo_minutes", json(a.setting.memoMinutes)},
        {"recall_minutes", json(a.setting.recallMinutes)},
        {"pulse_ms", json(a.setting.pulseMs)},
        {"run_seconds", json(a.result.runSeconds)},
        {"points", json(a.result.points)},
        {"correct_digits", json(a.result.correctDigits)},
        {"marked_errors", json(a.result.markedErrors)},
        {"memo_seconds_used", json(a.result.memoSecondsUsed)},
        {"recall_seconds_used", json(a.result.recallSecondsUsed)},
        {"completed", a.completed},
        {"saved_as_record", a.savedAsRecord},
        {"started_utc", UtcText(stored.started)},
        {"utc_offset_s", stored.started.offsetFromUtc()},
    };
    if (a.items.size() > 0)
        object.insert(QStringLiteral("items"), itemsJson(a));
    return object;
}

// Reads one attempt back; any field missing or of the wrong kind makes the whole
// entry unreadable, since a guess would store a result the user never had.
class EntryReader {
public:
    explicit EntryReader(const QJsonObject& object) : object_(object) {}
    bool ok() const { return ok_; }

    int integer(const char* key)
    {
        const QJsonValue value = object_.value(QLatin1String(key));
        const double number = value.toDouble(0.5);
        if (!value.isDouble() || number != std::trunc(number) || std::abs(number) > 2e9)
            ok_ = false;
        return int(number);
    }
    std::optional<int> optionalInteger(const char* key)
    {
        if (object_.value(QLatin1String(key)).isNull())
            return std::nullopt;
        return integer(key);
    }
    std::optional<double> optionalNumber(const char* key)
    {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (value.isNull())
            return std::nullopt;
        ok_ = ok_ && value.isDouble();
        return value.toDouble();
    }
    bool boolean(const char* key)
    {
        const QJsonValue value = object_.value(QLatin1String(key));
        ok_ = ok_ && value.isBool();
        return value.toBool();
    }
    // Files of earlier versions have no items: the attempt has none then.
    void items(AttemptRecord& a)
    {
        const QJsonValue value = object_.value(QLatin1String("items"));
        if (value.isUndefined())
            return;
        const QJsonObject items = value.toObject();
        const auto bytes = [&](const char* key, QByteArray& into) {
            const QJsonValue text = items.value(QLatin1String(key));
            auto decoded = QByteArray::fromBase64Encoding(text.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            ok_ = ok_ && text.isString() && bool(decoded);
            into = decoded.decoded;
        };
        QByteArray times;
        bytes("given", a.items.given);
        bytes("answers", a.items.answers);
        bytes("times", times);
        const QJsonValue perRow = items.value(QLatin1String("per_row"));
        ok_ = ok_ && value.isObject() && perRow.isDouble() && ItemCodec::readTimes(times, a.items);
        a.itemsPerRow = perRow.toInt();
    }
    QDateTime started()
    {
        const QJsonValue text = object_.value(QLatin1String("started_utc"));
        const QDateTime time = StartedAt(text.toString(), integer("utc_offset_s"));
        ok_ = ok_ && text.isString() && time.isValid();
        return time;
    }

private:
    QJsonObject object_;
    bool ok_ = true;
};

std::optional<StoredAttempt> fromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    EntryReader r(value.toObject());
    StoredAttempt stored;
    AttemptRecord& a = stored.attempt;
    a.discipline = r.integer("discipline");
    a.setting.count = r.optionalInteger("count");
    a.setting.perLine = r.optionalInteger("per_line");
    a.setting.memoMinutes = r.optionalInteger("memo_minutes");
    a.setting.recallMinutes = r.optionalInteger("recall_minutes");
    a.setting.pulseMs = r.optionalInteger("pulse_ms");
    a.result.runSeconds = r.optionalNumber("run_seconds");
    a.result.points = r.optionalInteger("points");
    a.result.correctDigits = r.optionalInteger("correct_digits");
    a.result.markedErrors = r.optionalInteger("marked_errors");
    a.result.memoSecondsUsed = r.optionalNumber("memo_seconds_used");
    a.result.recallSecondsUsed = r.optionalNumber("recall_seconds_used");
    a.completed = r.boolean("completed");
    a.savedAsRecord = r.boolean("saved_as_record");
    stored.started = r.started();
    r.items(a);
    if (!r.ok())
        return std::nullopt;
    return stored;
}

QByteArray encode(const std::deque<WaitingAttempts::Entry>& entries)
{
    QJsonArray attempts;
    for (const WaitingAttempts::Entry& entry : entries)
        attempts.append(toJson(entry.stored));
    const QJsonObject root{{"written_by", QStringLiteral("Korvanis " KORVANIS_VERSION)}, {"attempts", attempts}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// The attempts of a waiting file, or none with `why` saying what is wrong.
std::optional<std::vector<StoredAttempt>> decode(const QString& fileName, QString& why)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        why = error.errorString();
        return std::nullopt;
    }
    const QJsonValue list = document.object().value(QLatin1String("attempts"));
    if (!list.isArray()) {
        why = QStringLiteral("no list of attempts");
        return std::nullopt;
    }
    std::vector<StoredAttempt> attempts;
    for (const QJsonValue& value : list.toArray()) {
        const std::optional<StoredAttempt> stored = fromJson(value);
        if (!stored) {
            why = QStringLiteral("attempt %1 is incomplete").arg(attempts.size() + 1);
            return std::nullopt;
        }
        attempts.push_back(*stored);
    }
    return attempts;
}

bool same(const StoredAttempt& a, const StoredAttempt& b)
{
    return a.attempt == b.attempt && a.started == b.started && a.started.offsetFromUtc() == b.started.offsetFromUtc();
}

bool processRuns(qint64 pid)
{
    return pid != ::getpid() && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH);
}

} // namespace

void WaitingAttempts::setHistoryFile(const QString& historyFile)
{
    historyFile_ = historyFile;
}

QString WaitingAttempts::ownFile() const
{
    return historyFile_ + QLatin1Char('.') + QString::number(::getpid()) + Suffix;
}

void WaitingAttempts::popFront()
{
    entries_.pop_front();
    changed_ = true;
}

void WaitingAttempts::push(const StoredAttempt& attempt)
{
    entries_.push_back({attempt, false});
    if (entries_.size() > MaxWaiting)
        entries_.pop_front();
    changed_ = true;
}

void WaitingAttempts::clear()
{
    entries_.clear();
    takenIn_.clear();
    changed_ = false;
    ownWritten_ = false;
}

WaitingAttempts::TakenIn WaitingAttempts::takeInLeftBehind()
{
    TakenIn taken;
    const QFileInfo history(historyFile_);
    const QString prefix = history.fileName() + QLatin1Char('.');
    const QString waitingName = QRegularExpression::escape(prefix) + QStringLiteral("(\\d+)")
        + QRegularExpression::escape(Suffix);
    const QRegularExpression waiting(QRegularExpression::anchoredPattern(waitingName));
    // The private file a replacement writes first, ".<name>.<pid>": a kill between
    // its sync and its rename leaves it whole, holding the newest list.
    const QRegularExpression unfinished(
        QRegularExpression::anchoredPattern(QStringLiteral("\\.") + waitingName + QStringLiteral("\\.(\\d+)")));
    const QDir folder = history.absoluteDir();
    const QStringList names = folder.entryList({prefix + QLatin1Char('*') + Suffix, QLatin1Char('.') + prefix
                                                + QLatin1Char('*') + Suffix + QStringLiteral(".*")},
                                               QDir::Files | QDir::Hidden, QDir::Name);
    std::deque<Entry> older;
    for (const QString& fileName : names) {
        const QRegularExpressionMatch done = waiting.match(fileName);
        const QRegularExpressionMatch cut = unfinished.match(fileName);
        const QString writer = done.hasMatch() ? done.captured(1) : cut.captured(2);
        if ((!done.hasMatch() && !cut.hasMatch()) || processRuns(writer.toLongLong()))
            continue;
        const QString path = folder.filePath(fileName);
        QString why;
        const std::optional<std::vector<StoredAttempt>> attempts = decode(path, why);
        if (!attempts && cut.hasMatch()) {
            // Cut short while it was written: everything it held that had been
            // acknowledged is in the file it was to replace.
            QFile::remove(path);
            continue;
        }
        if (!attempts) {
            taken.unreadable.append({fileName, why});
            continue;
        }
        // A replacement left whole lists again what the file it replaces holds.
        for (const StoredAttempt& stored : *attempts) {
            if (std::none_of(older.begin(), older.end(), [&](const Entry& e) { return same(e.stored, stored); })) {
                older.push_back({stored, true});
                ++taken.attempts;
            }
        }
        taken.files << fileName;
        // A file under this process's number is the one the own file replaces.
        if (path == ownFile())
            ownWritten_ = true;
        else if (!takenIn_.contains(path))
            takenIn_ << path;
    }
    if (!older.empty()) {
        entries_.insert(entries_.begin(), older.begin(), older.end());
        changed_ = true;
    }
    return taken;
}

bool WaitingAttempts::keep(QString& error)
{
    if (entries_.empty()) {
        if (ownWritten_)
            QFile::remove(ownFile());
        for (const QString& path : std::as_const(takenIn_))
            QFile::remove(path);
        takenIn_.clear();
        ownWritten_ = false;
        changed_ = false;
        return true;
    }
    if (!changed_)
        return true;
    if (!ReplaceFileContents(ownFile(), encode(entries_))) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    ownWritten_ = true;
    changed_ = false;
    for (Entry& entry : entries_)
        entry.kept = true;
    // Everything they held is in the own file now.
    for (const QString& path : std::as_const(takenIn_))
        QFile::remove(path);
    takenIn_.clear();
    return true;
}

int WaitingAttempts::unkept() const
{
    int count = 0;
    for (const Entry& entry : entries_)
        count += entry.kept ? 0 : 1;
    return count;
}

QStringList WaitingAttempts::files() const
{
    QStringList names;
    if (ownWritten_)
        names << QFileInfo(ownFile()).fileName();
    for (const QString& path : takenIn_)
        names << QFileInfo(path).fileName();
    return names;
}
