// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The real platform pieces: the application's general error handler and the wave
// player, which must stay silent without a file or an audio device. What the
// player makes heard is measured at a sound server by bench/spoken_sound_bench.sh.
#include "app/korvanis_application.h"
#include "core/korvanis_error.h"
#include "app/qt_services.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <QPushButton>
#include <QtEndian>
#include <QtTest>

#include <cmath>

namespace {

// Half a second of a 44.1 kHz stereo tone, unlike the program's own sounds.
QByteArray stereoWave()
{
    QByteArray data;
    for (int i = 0; i < 22050; ++i) {
        const qint16 v = qint16(8000 * std::sin(i * 0.05));
        char raw[2];
        qToLittleEndian(v, raw);
        data.append(raw, 2).append(raw, 2);
    }
    QByteArray header("RIFF");
    const auto put32 = [&](quint32 v) {
        char raw[4];
        qToLittleEndian(v, raw);
        header.append(raw, 4);
    };
    const auto put16 = [&](quint16 v) {
        char raw[2];
        qToLittleEndian(v, raw);
        header.append(raw, 2);
    };
    put32(quint32(36 + data.size()));
    header += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(2);
    put32(44100);
    put32(44100 * 4);
    put16(4);
    put16(16);
    header += "data";
    put32(quint32(data.size()));
    return header + data;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void anExceptionInAHandlerIsShownAndTheProgramGoesOn()
    {
        ScriptedDialogs dialogs;
        static_cast<KorvanisApplication*>(qApp)->setErrorDialogs(&dialogs);
        QPushButton button("throw");
        int clicks = 0;
        QObject::connect(&button, &QPushButton::clicked, [&] {
            ++clicks;
            throw KorvanisError("nach /x/BRAIN.INI kann nicht geschrieben werden");
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(dialogs.errors, QStringList(2, "nach /x/BRAIN.INI kann nicht geschrieben werden"));
        static_cast<KorvanisApplication*>(qApp)->setErrorDialogs(nullptr);
    }

    void theWavePlayerIsSilentWhenItCannotPlay()
    {
        TempProgramDir dir;
        QFile::copy(QStringLiteral(KORVANIS_SOURCE_DIR "/resources/Sounds/Beep.wav"), dir.file("Beep.wav"));
        QVERIFY(WriteBytes(dir.file("damaged.wav"), QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16)));
        QVERIFY(WriteBytes(dir.file("stereo.wav"), stereoWave()));
        {
            QtWavePlayer player;
            player.preload({dir.file("missing.wav"), dir.file("damaged.wav"), dir.file("Beep.wav")});
            player.play(dir.file("missing.wav"));
            player.play(dir.file("Beep.wav"));
            player.play(dir.file("damaged.wav"));
            player.play(dir.file("Beep.wav"));
            player.stop();
            // Another format than the first sound's is converted to the output's.
            player.play(dir.file("stereo.wav"));
            // A file that appears after it was found missing is played.
            QFile::copy(dir.file("Beep.wav"), dir.file("missing.wav"));
            player.play(dir.file("missing.wav"));
            QTest::qWait(50);
        }
        // Destroyed while a sound may still be playing: nothing hangs or crashes.
        QVERIFY(true);
    }

    void theProgramsSoundsAreFoundForPreloading()
    {
        TempProgramDir dir;
        QDir().mkpath(dir.file("Sounds/Deutsch"));
        for (const char* name : {"Sounds/Beep.wav", "Sounds/Deutsch/7.wav", "Sounds/Deutsch/1.WAV", "Sounds/notes.txt"})
            QVERIFY(WriteBytes(dir.file(name), "x"));
        QCOMPARE(QtWavePlayer::filesIn(dir.file("Sounds")),
                 QStringList({dir.file("Sounds/Beep.wav"), dir.file("Sounds/Deutsch/1.WAV"), dir.file("Sounds/Deutsch/7.wav")}));
        QVERIFY(QtWavePlayer::filesIn(dir.file("NoSounds")).isEmpty());
    }
};

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_platform.moc"
