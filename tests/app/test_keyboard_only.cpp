#include "app/main_win.h"
#include "cards/win_karten.h"
#include "numbers/numbers_base.h"
#include "numbers/win_spoken.h"
#include "tests/support/window_session.h"
#include "widgets/panel.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {

// Presses of a user who never takes the mouse, each a new press a moment after
// the one before: time passes on the window system's clock and the program's.
struct Keyboard {
    FakeServices& services;
    quint64 at = 1000;

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        services.tick.advance(600);
        at += 600;
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        SendKey(focus, QEvent::KeyPress, key, modifiers, false, at);
        if (QApplication::focusWidget())
            SendKey(QApplication::focusWidget(), QEvent::KeyRelease, key, modifiers, false, at + 80);
    }
    void startStop() { press(Qt::Key_Return, Qt::ControlModifier); }
    void type(const QString& digits)
    {
        for (QChar digit : digits)
            press(Qt::Key(Qt::Key_0 + (digit.unicode() - u'0')));
    }
};

// The given digits of a sheet's first count cells.
QString givenDigits(const TStringAlignGrid* sheet, int count, int rowWidth)
{
    QString digits;
    for (int i = 0; i < count; ++i)
        digits += sheet->cell(i % rowWidth + 1, i / rowWidth);
    return digits;
}

} // namespace

class TestKeyboardOnly : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void anAttemptFromTheMenuToTheRecordQuestion_data()
    {
        QTest::addColumn<char>("menuLetter");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("attempt");
        QTest::newRow("numbers, picture run") << 'z' << "WinZahlen" << "picture";
        QTest::newRow("numbers, memorisation") << 'z' << "WinZahlen" << "sheet";
        QTest::newRow("binary, picture run") << 'b' << "WinBinaer" << "picture";
        QTest::newRow("binary, memorisation") << 'b' << "WinBinaer" << "sheet";
        QTest::newRow("cards, picture run") << 's' << "WinKarten" << "picture";
        QTest::newRow("spoken numbers") << 'g' << "WinSpoken" << "spoken";
    }

    void anAttemptFromTheMenuToTheRecordQuestion()
    {
        QFETCH(char, menuLetter);
        QFETCH(QString, window);
        QFETCH(QString, attempt);
        WindowSession<QDialog> s(window);
        Keyboard keys{s.services};
        s.main->show();
        QApplication::setActiveWindow(s.main.get());
        QVERIFY(QTest::qWaitForWindowActive(s.main.get()));

        bool reached = false;
        QTimer::singleShot(0, s.win, [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QApplication::setActiveWindow(shown);
            const auto drive = [&] {
                QVERIFY(shown && shown == s.win);
                QVERIFY(QApplication::focusWidget() && shown->isAncestorOf(QApplication::focusWidget()));
                if (attempt == "picture") {
                    keys.startStop();
                    for (int k = 0; k < 2000 && s.services.dialogs.questions.isEmpty(); ++k)
                        keys.press(Qt::Key_Space);
                } else if (attempt == "sheet") {
                    auto* w = qobject_cast<TNumbersBase*>(shown);
                    keys.press(Qt::Key_Tab, Qt::ControlModifier);
                    QCOMPARE(w->pcTraining->currentWidget(), w->tsMemo);
                    keys.startStop();
                    QCOMPARE(w->phase(), quint8(TNumbersBase::Memorising));
                    // A whole row typed back right scores it.
                    const int row = w->constants().rowWidth;
                    const QString digits = givenDigits(w->sgMemo, row, row);
                    keys.startStop();
                    QCOMPARE(w->phase(), quint8(TNumbersBase::Recalling));
                    keys.type(digits);
                    keys.startStop();
                    QCOMPARE(w->pZiffern->text(), QString::number(row));
                } else {
                    auto* w = qobject_cast<TWinSpoken*>(shown);
                    QCOMPARE(QApplication::focusWidget(), w->udAnzahlM);
                    keys.press(Qt::Key_A, Qt::ControlModifier);
                    keys.type(QStringLiteral("5"));
                    QCOMPARE(w->udAnzahlM->value(), 5);
                    keys.startStop();
                    QCOMPARE(w->phase(), quint8(TWinSpoken::Memorising));
                    keys.startStop();
                    QCOMPARE(w->phase(), quint8(TWinSpoken::Recalling));
                    keys.type(givenDigits(w->sgMemo, 5, TWinSpoken::RowWidth));
                    keys.startStop();
                    QCOMPARE(w->pZiffern->text(), QString("5"));
                }
                QCOMPARE(s.services.dialogs.questions.size(), 1);
                reached = true;
            };
            drive();
            if (shown)
                shown->reject();
        });
        QTest::keyClick(s.main.get(), Qt::Key_T, Qt::AltModifier);
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu, s.main->mTraining);
        QTest::keyClick(menu, menuLetter);
        QVERIFY(reached);
        // The record was stored on the answer yes.
        QCOMPARE(s.services.dialogs.questions.size(), 1);
    }
};

QTEST_MAIN(TestKeyboardOnly)
#include "test_keyboard_only.moc"
