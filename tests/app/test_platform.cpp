// The real platform pieces: the application's general error handler and the wave
// player, which must stay silent without a file or an audio device.
#include "app/korvanis_application.h"
#include "core/korvanis_error.h"
#include "app/qt_services.h"
#include "tests/support/fakes.h"

#include <QPushButton>
#include <QtTest>

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
        {
            QtWavePlayer player;
            player.preload({dir.file("missing.wav"), dir.file("Beep.wav")});
            player.play(dir.file("missing.wav"));
            player.play(dir.file("Beep.wav"));
            player.play(dir.file("Beep.wav"));
            player.stop();
            player.play(dir.file("Beep.wav"));
            QTest::qWait(50);
        }
        // Destroyed while a sound may still be playing: nothing hangs or crashes.
        QVERIFY(true);
    }
};

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_platform.moc"
