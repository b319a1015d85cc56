// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/main_win.h"
#include "cards/card_places.h"
#include "cards/card_memo_view.h"
#include "cards/win_karten.h"
#include "cards/win_karten_memo.h"
#include "cards/win_learn_cards.h"
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
    // Digits and capital letters, each its own key.
    void type(const QString& keys)
    {
        for (QChar ch : keys)
            press(ch.isDigit() ? Qt::Key(Qt::Key_0 + (ch.unicode() - u'0')) : Qt::Key(Qt::Key_A + (ch.unicode() - u'A')));
    }
};

// The keys that type a card: value letter, then suit letter.
QString keysOf(int face)
{
    return QString(QLatin1Char("A23456789TJQK"[(face - 1) % 13])) + QLatin1Char("CDHS"[(face - 1) / 13]);
}

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
        QTest::newRow("card memorisation") << 'l' << "WinLearnCards" << "cards";
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
                } else if (attempt == "cards") {
                    // The field's Start opens the card memorisation on the attempt.
                    auto* l = qobject_cast<TWinLearnCards*>(shown);
                    TWinKartenMemo* m = l->WinKartenMemo;
                    keys.press(Qt::Key_S, Qt::AltModifier);
                    QTRY_COMPARE(m->phase(), TWinKartenMemo::Memorising);
                    QApplication::setActiveWindow(m);
                    QCOMPARE(QApplication::focusWidget(), m->memoView);
                    keys.startStop();
                    QCOMPARE(m->phase(), TWinKartenMemo::Recalling);
                    for (char face : m->attempt().attempt().given)
                        keys.type(keysOf(quint8(face)));
                    keys.startStop();
                    QCOMPARE(m->phase(), TWinKartenMemo::Idle);
                    QCOMPARE(m->attempt().attempt().answers, m->attempt().attempt().given);
                    m->close();
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
        // One question, asked once: no press acted twice on the way.
        QCOMPARE(s.services.dialogs.questions.size(), 1);
    }
};

QTEST_MAIN(TestKeyboardOnly)
#include "test_keyboard_only.moc"
