// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "tests/support/window_session.h"
#include "widgets/held_key_shield.h"
#include "widgets/held_keys.h"
#include "widgets/panel.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// The program's watch over held keys, on the widgets that act once per press.
class TestHeldKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aHeldKeyClicksAPanelOnce_data()
    {
        QTest::addColumn<int>("repeats");
        QTest::addColumn<int>("clicks");
        QTest::newRow("a tap") << 0 << 1;
        QTest::newRow("held for half a second") << 15 << 1;
    }

    void aHeldKeyClicksAPanelOnce()
    {
        QFETCH(int, repeats);
        QFETCH(int, clicks);
        HeldKeys keys;
        TPanel panel;
        panel.setFocusPolicy(Qt::StrongFocus);
        int clicked = 0;
        connect(&panel, &TPanel::clicked, this, [&] { ++clicked; });
        HoldKey(&panel, Qt::Key_Space, Qt::NoModifier, repeats, 1000);
        QCOMPARE(clicked, clicks);
        QVERIFY(keys.isDown(Qt::Key_Space));
        SendKey(&panel, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, false, 2000);
        QVERIFY(!keys.isDown(Qt::Key_Space));
        SendKey(&panel, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, false, 2300);
        QCOMPARE(clicked, clicks + 1);
    }

    // A key ignored by a child reaches its parent once, and is judged once.
    void anEventPassedToTheParentIsJudgedOnce()
    {
        HeldKeys keys;
        QWidget parent;
        TPanel panel(&parent);
        int clicked = 0;
        connect(&panel, &TPanel::clicked, this, [&] { ++clicked; });
        SendKey(&panel, QEvent::KeyPress, Qt::Key_F6, Qt::NoModifier, false, 1000);
        SendKey(&panel, QEvent::KeyRelease, Qt::Key_F6, Qt::NoModifier, false, 1100);
        SendKey(&panel, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, false, 1200);
        QCOMPARE(clicked, 1);
        QVERIFY(!keys.isDown(Qt::Key_F6));
    }

    void aKeyHeldWhenAQuestionComesNeverAnswersIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    void aKeyHeldWhenAQuestionComesNeverAnswersIt()
    {
        QFETCH(int, key);
        HeldKeys keys;
        TPanel panel;
        SendKey(&panel, QEvent::KeyPress, Qt::Key(key), Qt::NoModifier, false, 1000);

        QMessageBox box(QMessageBox::Question, QStringLiteral("Korvanis"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        const HeldKeyShield shield(keys, &box);
        box.show();
        QAbstractButton* yes = box.button(QMessageBox::Yes);
        yes->setFocus();
        HoldKey(yes, Qt::Key(key), Qt::NoModifier, 20, 1000);
        SendKey(yes, QEvent::KeyRelease, Qt::Key(key), Qt::NoModifier, false, 2200);
        QCOMPARE(box.clickedButton(), nullptr);
        QVERIFY(box.isVisible());
        // Pressed anew, the key is the user's answer.
        SendKey(yes, QEvent::KeyPress, Qt::Key(key), Qt::NoModifier, false, 2600);
        SendKey(yes, QEvent::KeyRelease, Qt::Key(key), Qt::NoModifier, false, 2700);
        QCOMPARE(box.clickedButton(), yes);
    }
};

QTEST_MAIN(TestHeldKeys)
#include "test_held_keys.moc"
