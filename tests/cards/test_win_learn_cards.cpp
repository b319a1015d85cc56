// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The card image window driven as a learner drives it: the next card in random
// and in sorted order over the suits chosen, the suit boxes, the meaning and
// reason panels by mouse and keyboard, "Lösung zeigen", and every card's word,
// name and reason.
#include "app/main_win.h"
#include "app/startup.h"
#include "cards/playing_card.h"
#include "cards/win_learn_cards.h"
#include "tests/support/fakes.h"
#include "widgets/panel.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {

struct Session {
    FakeServices services;
    TempProgramDir dir;
    std::unique_ptr<TMainWin> main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs,
                                                           services.random, dir.file("korvanis"));
    TWinLearnCards* win = qobject_cast<TWinLearnCards*>(main->windows().WinLearnCards);

    // Only the suits named ("Herz", "Karo", "Pik", "Kreuz") stay on.
    void onlySuits(const QStringList& suits)
    {
        for (QCheckBox* box : boxes())
            box->setChecked(suits.contains(box->text()));
    }
    QList<QCheckBox*> boxes() const { return {win->chbHerz, win->chbKaro, win->chbPik, win->chbKreuz}; }
    int card() const { return win->pcTraining->FaceIndex(); }
    QStringList panels() const { return {win->pBedeutung->text(), win->pGrund->text()}; }
};

// Mouse events as the window system delivers them, sent to the middle of the widget.
void sendMouse(QWidget* widget, Qt::MouseButton button, std::initializer_list<QEvent::Type> types)
{
    const QPointF at = QRectF(widget->rect()).center();
    for (QEvent::Type type : types) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

const std::initializer_list<QEvent::Type> DoubleClick = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                                         QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};

} // namespace

class TestWinLearnCards : public QObject {
    Q_OBJECT

    // One program for the 52 rows of the image table, which each set their card.
    std::unique_ptr<Session> shared_;

private Q_SLOTS:
    void initTestCase() { shared_ = std::make_unique<Session>(); }
    void cleanupTestCase() { shared_.reset(); }

    void theWindowAsItOpens()
    {
        Session s;
        TWinLearnCards* w = s.win;
        QCOMPARE(w->size(), QSize(545, 294));
        QCOMPARE(QStringList({w->windowTitle(), w->GroupBox1->title(), w->chbLoesung->text(), w->rbZufall->text(),
                              w->rbSortiert->text(), w->GroupBox2->title(), w->GroupBox3->title(),
                              w->Button1->text()}),
                 QStringList({"Korvanis - Speed Cards", "Übungsfeld", "Lösung zeigen", "Zufall", "Sortiert",
                              "Meisterschaftsfeld", "Zeittabelle", "Schliessen"}));
        QVERIFY(!w->chbLoesung->isChecked() && w->rbZufall->isChecked() && !w->rbSortiert->isChecked());
        // The suit boxes, left to right, all on, each with its symbol.
        QStringList order;
        int x = -1;
        for (QCheckBox* box : s.boxes()) {
            QVERIFY(box->isChecked() && !box->icon().isNull() && box->x() > x);
            x = box->x();
            order << box->text();
        }
        QCOMPARE(order, QStringList({"Herz", "Karo", "Pik", "Kreuz"}));
        QCOMPARE(w->pcTraining->size(), QSize(71, 96));
        QCOMPARE(w->pBedeutung->size(), QSize(169, 44));
        QCOMPARE(w->pGrund->geometry(), w->pBedeutung->geometry().translated(0, w->pGrund->y() - w->pBedeutung->y()));
        QVERIFY(w->pBedeutung->x() >= w->pcTraining->geometry().right() && w->pGrund->y() > w->pBedeutung->geometry().bottom());
        // The championship field holds its two buttons.
        QCOMPARE(w->GroupBox2->findChildren<QAbstractButton*>().size(), 2);
        for (const char* name : {"GroupBox1", "pcTraining", "pBedeutung", "pGrund", "chbLoesung", "rbZufall",
                                 "rbSortiert", "chbHerz", "chbKaro", "chbPik", "chbKreuz", "GroupBox2", "GroupBox3",
                                 "Button1"}) {
            auto* control = w->findChild<QWidget*>(name);
            QVERIFY2(control && !control->accessibleName().isEmpty(), name);
        }
        // The first card is drawn at creation, as a click draws it: never the
        // layout's Herz As, and with nothing revealed.
        QVERIFY(s.card() >= 1 && s.card() <= 52 && s.card() != 27);
        QCOMPARE(s.panels(), QStringList({"", ""}));
    }

    void theMenuOpensItAfterTheCardsWindow()
    {
        Session s;
        const QList<QAction*> items = s.main->mTraining->actions();
        QCOMPARE(items.indexOf(s.main->mKartenbilder), items.indexOf(s.main->mKarten) + 1);
        QCOMPARE(s.main->mKartenbilder->text(), QString("Kartenbilder &lernen"));
        const int shown = s.card();
        QTimer::singleShot(0, s.win, [&s] {
            if (s.win->isVisible())
                s.win->Button1->click();
        });
        s.main->mKartenbilder->trigger();
        QVERIFY(!s.win->isVisible());
        QCOMPARE(s.card(), shown); // closing only hides the window
        // Created right after the record overview, before the numbers window.
        QStringList windows;
        for (QWidget* child : s.main->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child->isWindow())
                windows << child->objectName();
        }
        QCOMPARE(windows.mid(0, 3), QStringList({"WinQuendor", "WinLearnCards", "WinZahlen"}));
    }

    void randomOrderDrawsFromTheSuitsOnAndNeverRepeats_data()
    {
        QTest::addColumn<QStringList>("suits");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("hearts") << QStringList{"Herz"} << 27 << 39;
        QTest::newRow("clubs") << QStringList{"Kreuz"} << 1 << 13;
        QTest::newRow("diamonds and spades") << QStringList{"Karo", "Pik"} << 14 << 52;
        QTest::newRow("all") << QStringList{"Herz", "Karo", "Pik", "Kreuz"} << 1 << 52;
    }

    void randomOrderDrawsFromTheSuitsOnAndNeverRepeats()
    {
        QFETCH(QStringList, suits);
        QFETCH(int, first);
        QFETCH(int, last);
        Session s;
        s.onlySuits(suits);
        QSet<int> seen;
        int before = s.card();
        for (int i = 0; i < 600; ++i) {
            QTest::mouseClick(s.win->pcTraining, Qt::LeftButton);
            const int card = s.card();
            QVERIFY2(card != before, qPrintable(QString::number(card)));
            if (suits.size() != 2)
                QVERIFY2(card >= first && card <= last, qPrintable(QString::number(card)));
            else
                QVERIFY2(card >= 14 && card <= 26 || card >= 40, qPrintable(QString::number(card)));
            seen << card;
            before = card;
        }
        // Every allowed card comes up, so no card is left out of the draw.
        QCOMPARE(seen.size(), suits.size() * 13);
    }

    void sortedOrderWalksTheSuitsOn_data()
    {
        QTest::addColumn<QStringList>("suits");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("spades wrap to their ace") << QStringList{"Pik"} << 51 << QList<int>{52, 40, 41};
        QTest::newRow("a non-spade goes to Pik As") << QStringList{"Pik"} << 5 << QList<int>{40, 41};
        QTest::newRow("Karo König to Pik As") << QStringList{"Pik"} << 26 << QList<int>{40};
        QTest::newRow("all suits: 52 then 1") << QStringList{"Herz", "Karo", "Pik", "Kreuz"} << 51
                                              << QList<int>{52, 1, 2};
        QTest::newRow("hearts and clubs skip the rest")
            << QStringList{"Herz", "Kreuz"} << 12 << QList<int>{13, 27};
        QTest::newRow("back round to clubs") << QStringList{"Kreuz", "Herz"} << 39 << QList<int>{1};
    }

    void sortedOrderWalksTheSuitsOn()
    {
        QFETCH(QStringList, suits);
        QFETCH(int, start);
        QFETCH(QList<int>, expected);
        Session s;
        s.win->rbSortiert->click();
        s.onlySuits(suits);
        s.win->pcTraining->setFaceIndex(start);
        QList<int> cards;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::mouseClick(s.win->pcTraining, Qt::LeftButton);
            cards << s.card();
        }
        QCOMPARE(cards, expected);
    }

    void theLastSuitBoxOnStaysOn_data()
    {
        QTest::addColumn<int>("last");
        for (int i = 0; i < 4; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << i;
    }

    void theLastSuitBoxOnStaysOn()
    {
        QFETCH(int, last);
        Session s;
        const QList<QCheckBox*> boxes = s.boxes();
        for (int i = 0; i < 4; ++i) {
            if (i != last)
                QTest::mouseClick(boxes[i], Qt::LeftButton);
        }
        QTest::mouseClick(boxes[last], Qt::LeftButton);
        QTest::keyClick(boxes[last], Qt::Key_Space);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(boxes[i]->isChecked(), i == last);
        // A box that is not the last one goes off as usual, and back on.
        QTest::mouseClick(boxes[(last + 1) % 4], Qt::LeftButton);
        QTest::mouseClick(boxes[last], Qt::LeftButton);
        QVERIFY(!boxes[last]->isChecked() && boxes[(last + 1) % 4]->isChecked());
    }

    void meaningPanelAlternatesWordAndName()
    {
        Session s;
        s.win->pcTraining->setFaceIndex(34);
        QStringList shown;
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(s.win->pBedeutung, Qt::LeftButton);
            shown << s.win->pBedeutung->text();
        }
        QCOMPARE(shown, QStringList({"Pulsierendes Herz", "Herz 8", "Pulsierendes Herz"}));
        // A double click is two clicks; Space on the focused panel is one.
        sendMouse(s.win->pBedeutung, Qt::LeftButton, DoubleClick);
        QCOMPARE(s.win->pBedeutung->text(), QString("Pulsierendes Herz"));
        QTest::keyClick(s.win->pBedeutung, Qt::Key_Space);
        QCOMPARE(s.win->pBedeutung->text(), QString("Herz 8"));
        QCOMPARE(s.win->pGrund->text(), QString());
        QTest::mouseClick(s.win->pGrund, Qt::LeftButton);
        QTest::mouseClick(s.win->pGrund, Qt::LeftButton);
        QCOMPARE(s.win->pGrund->text(), QString("8 = zwei Herzkammern"));
        QCOMPARE(s.card(), 34);
    }

    void showSolutionRevealsEveryNewCard()
    {
        Session s;
        s.win->rbSortiert->click();
        s.win->pcTraining->setFaceIndex(33);
        QTest::mouseClick(s.win->pBedeutung, Qt::LeftButton);
        s.win->chbLoesung->click();
        // Switched on while the word is shown, the panel turns to the name.
        QCOMPARE(s.panels(), QStringList({"Herz 7", "Wegen der Form"}));
        QTest::mouseClick(s.win->pcTraining, Qt::LeftButton);
        QCOMPARE(s.panels(), QStringList({"Pulsierendes Herz", "8 = zwei Herzkammern"}));
        s.win->chbLoesung->click();
        QCOMPARE(s.panels(), QStringList({"", ""}));
        QTest::mouseClick(s.win->pcTraining, Qt::LeftButton);
        QCOMPARE(s.card(), 35);
        QCOMPARE(s.panels(), QStringList({"", ""}));
    }

    void rightClickTogglesWithoutMovingOn()
    {
        Session s;
        s.win->rbSortiert->click();
        s.win->pcTraining->setFaceIndex(40);
        QTest::mouseClick(s.win->pcTraining, Qt::RightButton);
        QCOMPARE(s.card(), 40);
        QCOMPARE(s.win->pBedeutung->text(), QString("Tannenbaum"));
        // A quick second right click counts too.
        sendMouse(s.win->pcTraining, Qt::RightButton, DoubleClick);
        QCOMPARE(s.win->pBedeutung->text(), QString("Tannenbaum"));
        QCOMPARE(s.card(), 40);
        // A left double click is two cards on.
        sendMouse(s.win->pcTraining, Qt::LeftButton, DoubleClick);
        QCOMPARE(s.card(), 42);
        QCOMPARE(s.win->pBedeutung->text(), QString());
    }

    void theCardRunsFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("card");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << 41 << "";
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << 41 << "";
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 0 << 41 << "";
        QTest::newRow("Right") << int(Qt::Key_Right) << 0 << 41 << "";
        QTest::newRow("menu key") << int(Qt::Key_Menu) << 0 << 40 << "Tannenbaum";
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << 40 << "Tannenbaum";
        QTest::newRow("Escape closes") << int(Qt::Key_Escape) << 0 << 40 << "";
    }

    void theCardRunsFromTheKeyboard()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, card);
        QFETCH(QString, meaning);
        Session s;
        s.win->show();
        QCOMPARE(s.win->focusWidget(), s.win->pcTraining);
        s.win->rbSortiert->click();
        s.win->pcTraining->setFocus();
        s.win->pcTraining->setFaceIndex(40);
        QTest::keyClick(s.win->pcTraining, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(s.card(), card);
        QCOMPARE(s.win->pBedeutung->text(), meaning);
        QCOMPARE(s.win->isVisible(), key != Qt::Key_Escape);
        // Enter elsewhere never closes the window.
        QTest::keyClick(s.win->chbLoesung, Qt::Key_Return);
        QCOMPARE(s.win->isVisible(), key != Qt::Key_Escape);
    }

    void everyCardHasItsWordNameAndReason_data()
    {
        QTest::addColumn<int>("face");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("reason");
        const auto row = [](int face, const char* name, const char* word, const char* reason) {
            QTest::newRow(name) << face << QString::fromUtf8(name) << QString::fromUtf8(word)
                                << QString::fromUtf8(reason);
        };
        row(1, "Kreuz As", "Gesetzbuch", "A auf Kopf gestellt= offenes Buch");
        row(2, "Kreuz 2", "Kirchenglocke", "Wegen der Form, links gedreht");
        row(3, "Kreuz 3", "Schlüssel", "3 gedreht = Schlüsselbart");
        row(4, "Kreuz 4", "Hammer / Spitzhacke", "Wegen der Form, links gedreht");
        row(5, "Kreuz 5", "Schwere Hantel", "Gedreht, Links/rechts Verdickung");
        row(6, "Kreuz 6", "Schornstein (Fluchtweg?)", "runder Schornstein, Rauchfahne");
        row(7, "Kreuz 7", " Pistole", "Wegen der Form, links gedreht");
        row(8, "Kreuz 8", "Handschelle", "Wegen der Form");
        row(9, "Kreuz 9", "Giftspritze", "oben rund, unten spitz");
        row(10, "Kreuz 10", "Ko-Spray", "0 = Dose, 1 (gedreht) = Sprühkopf");
        row(11, "Kreuz Bube", "Verbrecher, (tätowiert?)", "Jung, männlich");
        row(12, "Kreuz Dame", "Geld", "D wie D-Mark");
        row(13, "Kreuz König", "Richter", "männlich, alt");
        row(14, "Karo As", "Zirkuszelt", "A = Wegen der Form");
        row(15, "Karo 2", "Hocker (z.B. für Elefanten)", "Wegen der Form");
        row(16, "Karo 3", "Sicherungsring für Seiltänzer", "Wegen der Form, (3 schnappt zu)");
        row(17, "Karo 4", "Zeltstange (mit Querbalken?)", "Wegen der Form");
        row(18, "Karo 5", "Einrad", "Unten das Rad, oben der Sattel");
        row(19, "Karo 6", "Trompete", "Wegen der Form");
        row(20, "Karo 7", "Peitsche", "Wegen der Form");
        row(21, "Karo 8", "2 Jonglierbälle", "8 = 2 fliegende Bälle");
        row(22, "Karo 9", "Großer Clown-Schuh", "Wegen der Form, rechts gedreht");
        row(23, "Karo 10", "Trommel", "1 = Schlegel, 0 = Trommel");
        row(24, "Karo Bube", "Clownm, bunt bemaltes Gesicht", "Männlich, jung");
        row(25, "Karo Dame", "Seiltänzerin", "Weiblich");
        row(26, "Karo König", "Löwe (beißt?)", "Männlich, alt (König der Tiere)");
        row(27, "Herz As", "Kopf / Hut", "A = wegen der Form");
        row(28, "Herz 2", "Ohr", "Wegen der Form");
        row(29, "Herz 3", "Brust", "Wegen der Form");
        row(30, "Herz 4", "Nase", "Wegen der Form");
        row(31, "Herz 5", "Hand", "5 Finger");
        row(32, "Herz 6", "Rücken", "Krumm, gebeugt");
        row(33, "Herz 7", "Arm / Knochen", "Wegen der Form");
        row(34, "Herz 8", "Pulsierendes Herz", "8 = zwei Herzkammern");
        row(35, "Herz 9", "Tupfer", "Wegen der Form");
        row(36, "Herz 10", "Bett", "1 gedreht = Matratze, 0 = Kissen");
        row(37, "Herz Bube", "Baby", "Männlich, jung");
        row(38, "Herz Dame", "Mutter oder Krankenschwester", "Weiblich");
        row(39, "Herz König", "Vater oder Doktor", "Männlich, alt");
        row(40, "Pik As", "Tannenbaum", "A = wegen der Form");
        row(41, "Pik 2", "Schwan", "Wegen der Form");
        row(42, "Pik 3", "Kolibri", "Wegen der Form, links gedreht");
        row(43, "Pik 4", "Laubblatt", "Wegen der Form");
        row(44, "Pik 5", "Vertrockneter Ast", "Krumm und verdreht");
        row(45, "Pik 6", "Birne", "Wegen der Form");
        row(46, "Pik 7", "Sense", "Wegen der Form");
        row(47, "Pik 8", "Schneemann", "Wegen der Form");
        row(48, "Pik 9", "Sonne", "Rund, mit einem Strahl");
        row(49, "Pik 10", "Blume", "1 = Stengel, 0 = Blüte (0 über 1)");
        row(50, "Pik Bube", "Affe", "Männlich, jung");
        row(51, "Pik Dame", "Ziege (leckend?)", "Weiblich, alt");
        row(52, "Pik König", "Gärtner (mit Hacke?)", "Männlich, alt");
    }

    void everyCardHasItsWordNameAndReason()
    {
        QFETCH(int, face);
        QFETCH(QString, name);
        QFETCH(QString, word);
        QFETCH(QString, reason);
        TWinLearnCards* w = shared_->win;
        w->rbSortiert->setChecked(true);
        w->chbLoesung->setChecked(true);
        w->pcTraining->setFaceIndex(face == 1 ? 52 : face - 1);
        QTest::mouseClick(w->pcTraining, Qt::LeftButton);
        QCOMPARE(w->pcTraining->FaceIndex(), face);
        QCOMPARE(QStringList({w->pBedeutung->text(), w->pGrund->text()}), QStringList({word, reason}));
        QTest::mouseClick(w->pcTraining, Qt::RightButton);
        QCOMPARE(w->pBedeutung->text(), name);
    }
};

QTEST_MAIN(TestWinLearnCards)
#include "test_win_learn_cards.moc"
