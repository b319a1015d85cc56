// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/attempt_log.h"
#include "core/services.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <vector>

// A clock the test moves by hand.
class FakeTickSource final : public TickSource {
public:
    quint32 now() override { return ticks; }
    void advance(quint32 ms) { ticks += ms; }
    quint32 ticks = 1000;
};

// Records every name handed to it instead of playing.
class RecordingWavePlayer final : public WavePlayer {
public:
    void play(const QString& fileName) override { played << fileName; }
    void stop() override { ++stops; }
    void preload(const QStringList& fileNames) override { preloaded << fileNames; }
    QStringList played;
    int stops = 0;
    QStringList preloaded;
};

// Answers questions from a script (yes when the script is empty, unless told
// otherwise) and keeps what would have been shown.
class ScriptedDialogs final : public Dialogs {
public:
    bool askYesNo(const QString& text) override;
    void showError(const QString& text) override { errors << text; }
    void openUrl(const QString& url) override { urls << url; }
    // The next scripted file name, or a cancel when the script is empty.
    QString askSaveFileName(const QString& caption, const QString& suggestedFile, const QString& filter) override;

    std::deque<bool> answers;
    bool defaultAnswer = true;
    QStringList questions;
    QStringList errors;
    QStringList urls;
    std::deque<QString> saveFileNames;
    QStringList saveQuestions;  // caption, suggested file and filter of each
};

// Repeatable draws: the clock seeding at start-up is ignored.
class FixedRandom final : public Random {
public:
    explicit FixedRandom(quint64 seed = 12345) : inner_(seed) {}
    int next(int n) override { return inner_.next(n); }
    void Randomize() override {}

private:
    SeededRandom inner_;
};

// Keeps every attempt a window reports, in order.
class RecordingAttemptLog final : public AttemptLog {
public:
    void record(const AttemptRecord& attempt) override { attempts.push_back(attempt); }
    std::vector<AttemptRecord> attempts;
};

// An attempt as QCOMPARE prints it when two differ.
char* toString(const AttemptRecord& attempt);

// The services a window test hands to the application context.
struct FakeServices {
    FakeTickSource tick;
    RecordingWavePlayer wave;
    ScriptedDialogs dialogs;
    FixedRandom random;
};

// A fresh, empty program folder; path() ends in '/'.
class TempProgramDir {
public:
    TempProgramDir();
    bool isValid() const { return dir_.isValid(); }
    QString path() const;
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir dir_;
};

// Whole-file reads and writes for tests that check or damage files byte by byte.
QByteArray ReadBytes(const QString& fileName);
bool WriteBytes(const QString& fileName, const QByteArray& bytes);

// Captions as read aloud: without their mnemonic markers.
QStringList Plain(const QStringList& captions);
