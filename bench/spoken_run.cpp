// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "bench/spoken_run.h"

#include "app/main_win.h"
#include "app/startup.h"
#include "bench/timing_wave_player.h"
#include "numbers/win_spoken.h"
#include "widgets/up_down_edit.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>

namespace {

bool copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

} // namespace

void RunEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

SpokenRun::SpokenRun(WavePlayer& player)
{
    if (!copyFolder(QStringLiteral(KORVANIS_SOURCE_DIR "/resources/Sounds"), dir_.file("Sounds"))) {
        std::fprintf(stderr, "cannot copy the sounds\n");
        return;
    }
    main_ = CreateKorvanisWindows(ticks_, player, dialogs_, random_, dir_.file("korvanis"));
    window_ = qobject_cast<TWinSpoken*>(main_->windows().WinSpoken);
}

SpokenRun::~SpokenRun() = default;

void SpokenRun::speak(int digits, int pulseMs, int switchToEnglishAt, int settleMs)
{
    window_->show();
    window_->rbGerman->setChecked(true);
    window_->udAnzahlM->setValue(digits);
    window_->udMemoZeit->setValue(pulseMs);
    // The user reads the window before pressing START; the sounds are loaded by then.
    RunEventLoop(settleMs);

    QTimer voice;
    voice.setSingleShot(true);
    voice.setTimerType(Qt::PreciseTimer);
    QObject::connect(&voice, &QTimer::timeout, [this] { window_->rbEnglisch->setChecked(true); });
    if (switchToEnglishAt > 0)
        voice.start(pulseMs * (2 * switchToEnglishAt - 3) / 2);

    startNs_ = SteadyNs();
    window_->bStartStop->click();
    QEventLoop speaking;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window_->phase() != TWinSpoken::Memorising)
            speaking.quit();
    });
    poll.start();
    speaking.exec();
}

qint64 SpokenRun::dueNs(int pulse) const
{
    // The tick source truncates the steady clock to whole milliseconds and 32 bits;
    // START's full reading is the one nearest to the moment it was pressed.
    const qint64 startMs = startNs_ / 1000000;
    const qint64 tickStartMs = startMs - qint32(quint32(startMs) - window_->pulses.startTick());
    return (tickStartMs + qint64(window_->pulses.dueTick(pulse) - window_->pulses.startTick())) * 1000000;
}
