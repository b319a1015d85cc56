// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The championship of the card image window driven as a user drives it: the
// field and its settings, whole attempts by keyboard with the fake clock and the
// seeded generator, both card rules, wrong, missing and repeated cards, a partial
// last deck, the limits running out, closing and reopening mid-attempt, the
// guards against quick presses and held keys, and what the records table and
// the history hold afterwards, read back with dbfread and sqlite3.
#include "cards/card_memo_view.h"
#include "cards/card_picker.h"
#include "cards/card_places.h"
#include "cards/playing_card.h"
#include "cards/win_karten_memo.h"
#include "cards/win_learn_cards.h"
#include "cards/win_meisterschaft.h"
#include "core/formats.h"
#include "training/card_scoring_rule.h"
#include "widgets/format_choice.h"
#include "widgets/rule_table.h"
#include "core/formats.h"
#include "core/ini_file.h"
#include "records/records_table.h"
#include "tests/records/records_test_support.h"
#include "tests/support/window_session.h"
#include "training/clock_text.h"
#include "widgets/panel.h"
#include "widgets/up_down_edit.h"

#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyleHints>
#include <QTimer>
#include <QtTest>

namespace {

// The keys that type a face index: value letter, then suit letter.
QString keysOf(int face)
{
    return QString(QLatin1Char("A23456789TJQK"[(face - 1) % 13])) + QLatin1Char("CDHS"[(face - 1) / 13]);
}

struct Session : WindowSession<TWinLearnCards> {
    explicit Session(const std::function<void(const TempProgramDir&)>& prepare = {})
        : WindowSession<TWinLearnCards>(QStringLiteral("WinLearnCards"), prepare)
    {
    }

    TWinKartenMemo* m() const { return win->WinKartenMemo; }
    TWinMeisterschaft* settings() const { return win->WinMeisterschaft; }

    // The field's Start with this setting.
    void start(int count, int perLine = 1, int memoMinutes = 5, int recallMinutes = 10)
    {
        settings()->udAnzahl->setValue(count);
        settings()->udZeile->setValue(perLine);
        settings()->udMemoZeit->setValue(memoMinutes);
        settings()->udReplay->setValue(recallMinutes);
        win->show();
        win->bStart->click();
    }
    // The clock ms after the phase under way began, and one tick of the timer.
    void tickAt(quint32 ms)
    {
        services.tick.ticks = m()->attempt().flow().startTick() + ms;
        m()->tZehntelTimer();
    }
    // Past the guard against the press that opened the window.
    void settle() { services.tick.advance(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1); }
    QByteArray given() const { return m()->attempt().attempt().given; }
    QByteArray answers() const { return m()->attempt().attempt().answers; }
    void type(const QString& keys) { QTest::keyClicks(m()->cpWiedergabe, keys); }
    void typeCard(int face) { type(keysOf(face)); }
    // Recall as the spoils say, place by place from the first: "w5" a wrong card
    // at place 5, "m5" place 5 left empty (Space), "r5" the card of place 6 in
    // place 5, "s5" no more typed from place 5 on.
    void recall(const QString& spoils)
    {
        QMap<int, QChar> spoiled;
        int stop = given().size();
        for (const QString& spoil : spoils.split(u' ', Qt::SkipEmptyParts)) {
            const int at = spoil.mid(1).toInt();
            if (spoil.at(0) == u's')
                stop = at;
            else
                spoiled[at] = spoil.at(0);
        }
        const QByteArray cards = given();
        for (int i = 0; i < stop; ++i) {
            const int face = quint8(cards.at(i));
            switch (spoiled.value(i).unicode()) {
            case u'w':
                typeCard(face % 52 + 1);
                break;
            case u'm':
                type(QStringLiteral(" "));
                break;
            case u'r':
                typeCard(quint8(cards.at(i + 1)));
                break;
            default:
                typeCard(face);
            }
        }
    }
    // A whole attempt: memorised for memoMs, recalled as the spoils say in recallMs.
    void attempt(int count, const QString& spoils, quint32 memoMs = 60000, int memoMinutes = 5, int perLine = 1)
    {
        start(count, perLine, memoMinutes);
        tickAt(memoMs);
        m()->bStartStopClick(nullptr);
        recall(spoils);
        tickAt(45000);
        m()->bStartStopClick(nullptr);
    }
    QStringList history(const QString& columns) const
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
                     {dir.file("KORVANIS.SQLITE"), QStringLiteral("SELECT %1 FROM attempts ORDER BY id").arg(columns)});
        sqlite.waitForFinished();
        return QString::fromUtf8(sqlite.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
};

// A key event as a held key repeats it.
void sendRepeat(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, true);
    QApplication::sendEvent(widget, &press);
}

// Mouse events at a point of a widget, as the window system delivers them.
void sendMouseAt(QWidget* widget, QPoint at, std::initializer_list<QEvent::Type> types)
{
    for (QEvent::Type type : types) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

const std::initializer_list<QEvent::Type> DoubleClick = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                                         QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};

} // namespace

class TestCardChampionship : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theFieldOpensTheSettingsAndRemembersThem()
    {
        Session s;
        TWinLearnCards* w = s.win;
        TWinMeisterschaft* d = s.settings();
        QCOMPARE(w->bEinstellungen->accessibleName(), QString("Einstellungen"));
        QCOMPARE(w->bStart->accessibleName(), QString("Start"));
        QVERIFY(w->pcMeister1->isVisibleTo(w) && !w->pcMeister2->isVisibleTo(w));
        QCOMPARE(w->pKarte->text(), QString("52 Karten\n5 / 10 min"));
        QVERIFY(w->GroupBox3->findChildren<QWidget*>().isEmpty());

        w->show();
        w->bEinstellungen->click();
        QVERIFY(d->isVisible());
        QCOMPARE(d->windowTitle(), QString("Einstellungen Meisterschaft"));
        QCOMPARE(QStringList({d->labAnzahl->text(), d->labZeile->text(), d->labMemoZeit->text(),
                              d->labMemoMinuten->text(), d->labReplay->text(), d->labReplayMinuten->text(),
                              d->bOK->text(), d->bAbbrechen->text()}),
                 QStringList({"Anzahl Karten", "Anzahl pro Zeile", "Memorierzeit", "in Minuten", "Wiedergabezeit",
                              "in Minuten", "&OK", "Abbrechen"}));
        const QList<QList<int>> ranges = {{d->udAnzahl->minimum(), d->udAnzahl->maximum(), d->udAnzahl->singleStep()},
                                          {d->udMemoZeit->minimum(), d->udMemoZeit->maximum()},
                                          {d->udReplay->minimum(), d->udReplay->maximum()}};
        QCOMPARE(ranges, QList<QList<int>>({{1, 10000, 2}, {1, 600}, {1, 600}}));
        // Abbrechen (and Escape) put back what was there.
        d->udAnzahl->setValue(104);
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->udAnzahl->value(), 52);
        // OK keeps and writes the values; the field follows.
        w->bEinstellungen->click();
        d->udAnzahl->stepBy(26);
        QCOMPARE(d->udAnzahl->value(), 104);
        d->udZeile->setValue(3);
        d->udMemoZeit->setValue(30);
        d->udReplay->setValue(60);
        d->bOK->click();
        QCOMPARE(w->pKarte->text(), QString("104 Karten\n30 / 60 min"));
        QVERIFY(w->pcMeister2->isVisibleTo(w));
        IniFile ini(s.dir.file("BRAIN.INI"));
        const auto stored = [&ini](const char* key) {
            return ini.ReadInteger("Korvanis", QString("Training Meisterschaft ") + key, -1);
        };
        QCOMPARE(QList<int>({stored("Anzahl"), stored("Zeile"), stored("Memorierzeit"), stored("Wiedergabezeit")}),
                 QList<int>({104, 3, 30, 60}));

        // A new start reads them; a value the spin button refuses leaves its own.
        ini.WriteInteger("Korvanis", "Training Meisterschaft Wiedergabezeit", 601);
        s.restart();
        QCOMPARE(s.settings()->setting().count, std::optional<int>(104));
        QCOMPARE(s.settings()->setting().memoMinutes, std::optional<int>(30));
        QCOMPARE(s.settings()->setting().recallMinutes, std::optional<int>(10));
        // Nothing is written until the user confirms.
        const auto recallStored = [&s] {
            return IniFile(s.dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Training Meisterschaft Wiedergabezeit", 0);
        };
        QCOMPARE(recallStored(), 601);
        s.win->show();
        s.win->bEinstellungen->click();
        s.settings()->bOK->click();
        QCOMPARE(recallStored(), 10);
    }

    void aSpeedCardsAttemptRunsByKeyboardAndIsKeptInTableAndHistory()
    {
        Session s;
        TWinLearnCards* w = s.win;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        // Alt+S is the field's Start; a mnemonic clicks as the mouse would, a moment later.
        QTest::keyClick(w, Qt::Key_S, Qt::AltModifier);
        TWinKartenMemo* m = s.m();
        QTRY_VERIFY(m->isVisible());
        QCOMPARE(m->phase(), TWinKartenMemo::Memorising);
        QVERIFY(QTest::qWaitForWindowActive(m));
        QCOMPARE(QApplication::focusWidget(), m->memoView);
        QCOMPARE(m->pKarte->text(), QString("Karte 1 von 52"));
        QCOMPARE(m->pcKarte1->FaceIndex(), int(quint8(s.given().at(0))));
        QVERIFY(!m->bClose->isEnabled());
        // The dealt deck: every card once.
        QByteArray sorted = s.given();
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, [] { QByteArray d; for (int i = 1; i <= 52; ++i) d += char(i); return d; }());

        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Space, Qt::Key_Right, Qt::Key_Backspace, Qt::Key_Left}) {
            s.services.tick.advance(1000);
            QTest::keyClick(m->memoView, key);
        }
        QCOMPARE(m->pKarte->text(), QString("Karte 2 von 52"));
        sendRepeat(m->memoView, Qt::Key_Right);
        QCOMPARE(m->attempt().view(), 1);
        s.tickAt(83456);
        QCOMPARE(m->pErgeb->text(), ClockText(83456));
        QTest::keyClick(m, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(m->phase(), TWinKartenMemo::Recalling);
        QCOMPARE(m->gbKarten->title(), QString("Wiedergabe"));
        QCOMPARE(m->bStartStop->text(), QString("Wiedergabe fertig"));
        QCOMPARE(m->pErgeb->text(), ClockText(83456));
        QCOMPARE(QApplication::focusWidget(), m->cpWiedergabe);
        // Each card was on show from when it came until it went.
        QCOMPARE(m->attempt().attempt().shownAtMs.mid(0, 5), QVector<qint32>({0, 1000, 2000, 3000, -1}));
        QCOMPARE(m->attempt().attempt().lastShownAtMs.mid(0, 5), QVector<qint32>({1000, 83456, 5000, 4000, -1}));

        s.recall("");
        QCOMPARE(s.answers(), s.given());
        QCOMPARE(m->cpWiedergabe->faces(), s.given());
        QCOMPARE(m->cpAuswahl->uses()[quint8(s.given().at(7))], 1);
        s.tickAt(41000);
        QTest::keyClick(m->cpWiedergabe, Qt::Key_Return, Qt::ControlModifier);

        QCOMPARE(m->phase(), TWinKartenMemo::Idle);
        QCOMPARE(s.services.dialogs.questions, QStringList({"Neuer Rekord! Wollen Sie ihn speichern?"}));
        QCOMPARE(QStringList({m->pPunkte->text(), m->pZiffern->text(), m->labZiffern->text(), m->pMemoZeit->text()}),
                 QStringList({"52", "52", "Memory League", FormatFixed(83.456, 2) + " s"}));
        QVERIFY(m->labRegel->text().startsWith("Speed Cards"));
        QVERIFY(m->labRegel->text().contains("zählt."));
        QCOMPARE(m->pPunkteRekord->text(), QString("52 in %1 s").arg(FormatFixed(83.46, 2)));
        QCOMPARE(m->gbKarten->title(), QString("Ergebnis"));
        QVERIFY(m->bClose->isEnabled() && m->bChange->isVisible());

        // The table holds the record under code 12 and the two limits.
        const QJsonArray table = ReadWithDbfread(s.dir.file("KORVANIS.DBF"))["records"].toArray();
        QCOMPARE(table.size(), 1);
        const QJsonObject record = table[0].toObject();
        QCOMPARE(QList<double>({record["DISZIPLIN"].toDouble(), record["ANZAHL"].toDouble(), record["ZEIT"].toDouble(),
                                record["REPLAYZEIT"].toDouble(), record["PUNKTE"].toDouble(),
                                record["ZEIT_NUTZ"].toDouble(), record["REPL_NUTZ"].toDouble()}),
                 QList<double>({12, 52, 300, 600, 52, 83.46, 41}));
        // The history holds the attempt as the result view showed it.
        QCOMPARE(s.history("discipline, count, per_line, memo_minutes, recall_minutes, points, correct_digits,"
                           " marked_errors, memo_seconds_used, recall_seconds_used, saved_as_record"),
                 QStringList({"12|52|1|5|10|52|52|0|83.456|41.0|1"}));

        // The same points memorised faster are the better record; slower they are not.
        m->bStartStopClick(nullptr);
        QCOMPARE(m->phase(), TWinKartenMemo::Memorising);
        s.tickAt(70000);
        m->bStartStopClick(nullptr);
        s.recall("");
        m->bStartStopClick(nullptr);
        QCOMPARE(s.services.dialogs.questions.size(), 2);
        QCOMPARE(m->pPunkteRekord->text(), QString("52 in %1 s").arg(FormatFixed(70, 2)));
        s.attempt(52, "", 75000);
        QCOMPARE(s.services.dialogs.questions.size(), 2);
        // Fewer points are no record, however fast.
        s.attempt(52, "w51", 1000);
        QCOMPARE(s.services.dialogs.questions.size(), 2);
        QCOMPARE(ReadWithDbfread(s.dir.file("KORVANIS.DBF"))["records"].toArray()[0].toObject()["ZEIT_NUTZ"].toDouble(),
                 70.0);
        QCOMPARE(s.history("points, saved_as_record"), QStringList({"52|1", "52|1", "52|0", "51|0"}));
    }

    void theCardRulesScoreWhatWasTyped_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("memoMinutes");
        QTest::addColumn<QString>("spoils");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("rightCards");
        QTest::addColumn<QString>("rule");
        QTest::newRow("speed: a wrong card") << 52 << 5 << "w20" << QStringList{"Stapel 1: 20 Punkte"} << 20 << 51
                                             << "Speed Cards";
        QTest::newRow("speed: a card left out") << 52 << 5 << "m10" << QStringList{"Stapel 1: 10 Punkte"} << 10 << 51
                                                << "Speed Cards";
        QTest::newRow("speed: a card repeated") << 52 << 2 << "r5" << QStringList{"Stapel 1: 5 Punkte"} << 5 << 51
                                                << "Speed Cards";
        QTest::newRow("speed: stopped after 40") << 52 << 5 << "s40" << QStringList{"Stapel 1: 40 Punkte"} << 40 << 40
                                                 << "Speed Cards";
        QTest::newRow("decks: one error in the first") << 104 << 10 << "w3"
                                                       << QStringList{"Stapel 1: 26 Punkte", "Stapel 2: 52 Punkte"}
                                                       << 78 << 103 << "Stapelwertung";
        QTest::newRow("decks: two errors in the second") << 104 << 30 << "m60 r70"
                                                         << QStringList{"Stapel 1: 52 Punkte", "Stapel 2: 0 Punkte"}
                                                         << 52 << 102 << "Stapelwertung";
        QTest::newRow("decks: a partial last deck, one error") << 61 << 10 << "w55"
                                                               << QStringList{"Stapel 1: 52 Punkte", "Stapel 2: 5 Punkte"}
                                                               << 57 << 60 << "Stapelwertung";
        QTest::newRow("decks: one deck in 10 minutes") << 52 << 10 << "w0" << QStringList{"Stapel 1: 26 Punkte"} << 26
                                                       << 51 << "Stapelwertung";
    }

    void theCardRulesScoreWhatWasTyped()
    {
        QFETCH(int, count);
        QFETCH(int, memoMinutes);
        QFETCH(QString, spoils);
        QFETCH(QStringList, headings);
        QFETCH(int, points);
        QFETCH(int, rightCards);
        QFETCH(QString, rule);
        Session s;
        s.services.dialogs.defaultAnswer = false;
        s.attempt(count, spoils, 60000, memoMinutes);
        TWinKartenMemo* m = s.m();
        QCOMPARE(m->pPunkte->text(), QString::number(points));
        QCOMPARE(m->pZiffern->text(), QString::number(rightCards));
        QVERIFY(m->labRegel->text().startsWith(rule));
        QStringList shown;
        for (int deck = 0; deck < headings.size(); ++deck)
            shown << m->cpWiedergabe->deckHeading(deck);
        QCOMPARE(shown, headings);
        // The result view shows what was typed, marked against what was dealt.
        QVERIFY(m->cpWiedergabe->marked());
        QCOMPARE(m->cpWiedergabe->faces(), s.answers());
        QCOMPARE(s.history("points, correct_digits"),
                 QStringList({QString("%1|%2").arg(points).arg(rightCards)}));
        // The toggle shows the cards as dealt and back.
        m->bChange->click();
        QCOMPARE(m->cpWiedergabe->faces(), s.given());
        QVERIFY(!m->cpWiedergabe->marked());
        QCOMPARE(m->gbKarten->title(), QString("Vorgabe"));
        QCOMPARE(m->bChange->text(), QString("Ergebnis anzeigen"));
        m->bChange->click();
        QCOMPARE(m->cpWiedergabe->faces(), s.answers());
        QCOMPARE(m->gbKarten->title(), QString("Ergebnis"));
    }

    void theLimitsMoveTheAttemptOn()
    {
        Session s;
        s.services.dialogs.defaultAnswer = false;
        s.start(52, 3, 1, 1);
        TWinKartenMemo* m = s.m();
        QCOMPARE(m->pKarte->text(), QString("Karten 1–3 von 52"));
        for (quint32 ms = 0; ms < 60000; ms += 100)
            s.tickAt(ms);
        QCOMPARE(s.services.wave.played.size(), 6);
        QCOMPARE(m->phase(), TWinKartenMemo::Memorising);
        s.tickAt(60000);
        QCOMPARE(m->phase(), TWinKartenMemo::Recalling);
        QCOMPARE(m->pErgeb->text(), ClockText(60000));
        QCOMPARE(m->attempt().flow().memoTimeUsed(), 60.0);
        s.recall("s10");
        s.type(QStringLiteral("K"));
        for (quint32 ms = 0; ms < 60000; ms += 100)
            s.tickAt(ms);
        QCOMPARE(m->phase(), TWinKartenMemo::Recalling);
        s.tickAt(60000);
        QCOMPARE(m->phase(), TWinKartenMemo::Idle);
        QCOMPARE(m->pErgeb->text(), QString("00:01:00"));
        QCOMPARE(m->pPunkte->text(), QString("10"));
        QCOMPARE(s.services.wave.played.size(), 12);
        QCOMPARE(s.history("recall_seconds_used"), QStringList({"60.0"}));
    }

    void closingMidAttemptKeepsIt()
    {
        Session s;
        s.services.dialogs.defaultAnswer = false;
        s.start(104, 1, 5, 10);
        TWinKartenMemo* m = s.m();
        const QByteArray dealt = s.given();
        const quint32 started = m->attempt().flow().startTick();
        s.services.tick.advance(2000);
        QTest::keyClick(m->memoView, Qt::Key_Right);
        m->close();
        QVERIFY(!m->isVisible() && !m->tZehntel->isActive());
        QCOMPARE(m->phase(), TWinKartenMemo::Memorising);
        QCOMPARE(s.win->pKarte->text(), QString("Versuch läuft: Start setzt ihn fort"));
        // Start goes on with the same cards and the same clock.
        s.services.tick.advance(5000);
        s.win->bStart->click();
        QVERIFY(m->isVisible() && m->tZehntel->isActive());
        QCOMPARE(s.given(), dealt);
        QCOMPARE(m->attempt().flow().startTick(), started);
        QCOMPARE(m->pKarte->text(), QString("Karte 2 von 104 · Stapel 1"));
        m->bStartStopClick(nullptr);
        QCOMPARE(m->attempt().flow().memoTimeUsed(), 7.0);
        s.recall("s53");
        m->close();
        s.win->bStart->click();
        QCOMPARE(m->phase(), TWinKartenMemo::Recalling);
        QCOMPARE(QApplication::focusWidget() == m->cpWiedergabe || !QApplication::focusWidget(), true);
        s.recall("s1");
        QCOMPARE(m->attempt().entry().cursor(), 54);
        m->bStartStopClick(nullptr);
        QCOMPARE(m->pPunkte->text(), QString("53"));
        m->close();
        QCOMPARE(s.win->pKarte->text(), QString("104 Karten\n5 / 10 min"));
    }

    void quickPressesAndHeldKeysLoseNothing()
    {
        Session s;
        s.win->show();
        // A double click on Start opens one attempt, and its second press, landing
        // in the new window, ends nothing.
        SendMouse(s.win->bStart, DoubleClick, 5000);
        TWinKartenMemo* m = s.m();
        QCOMPARE(m->phase(), TWinKartenMemo::Memorising);
        const QByteArray dealt = s.given();
        SendMouse(m->bStartStop, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}, 5100);
        SendMouse(m->pcKarte1, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}, 5100);
        QCOMPARE(m->phase(), TWinKartenMemo::Memorising);
        QCOMPARE(m->attempt().view(), 0);
        QCOMPARE(s.given(), dealt);
        s.settle();
        SendMouse(m->pcKarte1, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}, 9000);
        QCOMPARE(m->attempt().view(), 1);
        // A double click on the button moves the attempt one step only.
        SendMouse(m->bStartStop, DoubleClick, 12000);
        QCOMPARE(m->phase(), TWinKartenMemo::Recalling);

        // Held keys that write do nothing; a double click on a face takes it once.
        sendRepeat(m->cpWiedergabe, Qt::Key_A, "A");
        QCOMPARE(m->attempt().entry().pendingValue(), 0);
        s.type("A");
        sendRepeat(m->cpWiedergabe, Qt::Key_C, "C");
        QCOMPARE(s.answers().at(0), '\0');
        s.type("C");
        QCOMPARE(s.answers().at(0), '\1');
        sendRepeat(m->cpWiedergabe, Qt::Key_Backspace);
        QCOMPARE(s.answers().at(0), '\1');
        sendMouseAt(m->cpAuswahl, m->cpAuswahl->faceRect(10).center(), DoubleClick);
        QCOMPARE(s.answers().left(3), QByteArray("\1\x0A\0", 3));
        // A held cursor key travels: moving writes nothing.
        sendRepeat(m->cpWiedergabe, Qt::Key_Left);
        QCOMPARE(m->attempt().entry().cursor(), 1);
        QCOMPARE(s.answers().left(3), QByteArray("\1\x0A\0", 3));
        QCOMPARE(m->phase(), TWinKartenMemo::Recalling);
    }

    void placesAndPickerShowTheEntry()
    {
        Session s;
        s.start(52);
        TWinKartenMemo* m = s.m();
        s.settle();
        m->bStartStopClick(nullptr);
        TCardPlaces* places = m->cpWiedergabe;
        s.typeCard(5);
        s.typeCard(5);
        s.type("Q");
        QCOMPARE(places->cursor(), 2);
        QCOMPARE(m->attempt().entry().pendingValue(), 12);
        QCOMPARE(m->cpAuswahl->uses()[5], 2);
        // A click on a place moves the cursor there; typing overwrites.
        QTest::mouseClick(places, Qt::LeftButton, {}, places->placeRect(1).center());
        QCOMPARE(places->cursor(), 1);
        QCOMPARE(m->attempt().entry().pendingValue(), 0);
        s.typeCard(6);
        QCOMPARE(m->cpAuswahl->uses()[5], 1);
        QCOMPARE(m->cpAuswahl->uses()[6], 1);
        // A click in the picker writes that face at the cursor.
        QTest::mouseClick(m->cpAuswahl, Qt::LeftButton, {}, m->cpAuswahl->faceRect(52).center());
        QCOMPARE(places->faces().left(4), QByteArray("\5\6\x34\0", 4));
        QCOMPARE(QApplication::focusWidget() == places || !QApplication::focusWidget(), true);
        QTest::keyClick(places, Qt::Key_Backspace);
        QTest::keyClick(places, Qt::Key_Home);
        QTest::keyClick(places, Qt::Key_Delete);
        QCOMPARE(places->faces().left(3), QByteArray("\0\6\0", 3));
        // The recall keys are shown with their map.
        QVERIFY(m->labTasten->text().contains("C Kreuz, D Karo, H Herz, P oder S Pik"));
        QVERIFY(m->cpAuswahl->isVisibleTo(m));
    }

    void theRecordOfTheSettingIsShownBesideIt()
    {
        Session s;
        s.records().StorePointsRecord(12, 52, 300, 600, 52, 83.45, 41);
        s.records().StorePointsRecord(12, 52, 600, 600, 23, 300, 41);
        s.start(52, 1, 5, 10);
        QCOMPARE(s.m()->pPunkteRekord->text(), QString("52 in %1 s").arg(FormatFixed(83.45, 2)));
        s.m()->close();
        s.m()->bStartStopClick(nullptr);
        s.m()->bStartStopClick(nullptr);
        // A deck in 10 minutes is scored deck by deck, where time always counts.
        s.start(52, 1, 10, 10);
        QCOMPARE(s.m()->pPunkteRekord->text(), QString("23 in %1 s").arg(FormatFixed(300, 2)));
        s.m()->close();
        s.m()->bStartStopClick(nullptr);
        s.m()->bStartStopClick(nullptr);
        // Speed cards with fewer than all right: the time does not count.
        s.records().StorePointsRecord(12, 30, 60, 600, 12, 50, 41);
        s.start(30, 1, 1, 10);
        QCOMPARE(s.m()->pPunkteRekord->text(), QString("12"));
    }

    void theResultIsShownUnderEveryRuleSet_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("memoMinutes");
        QTest::addColumn<QString>("spoils");
        QTest::addColumn<quint32>("memoMs");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("championship");
        QTest::addColumn<int>("memoryLeague");
        QTest::newRow("speed cards, all 52 right in 30 s")
            << 52 << 5 << "" << 30000u << 52 << FormatFixed(8007.5 / std::pow(30.0, 0.75), 2) << 52;
        QTest::newRow("speed cards, 26 before the first error")
            << 52 << 5 << "w26" << 30000u << 26 << FormatFixed(8007.5 / std::pow(300.0, 0.75) / 2, 2) << 51;
        QTest::newRow("10-min cards, one error in two decks")
            << 104 << 10 << "w3" << 60000u << 78 << FormatFixed(78 / 407.0 * 1000, 2) << 103;
    }

    void theResultIsShownUnderEveryRuleSet()
    {
        QFETCH(int, count);
        QFETCH(int, memoMinutes);
        QFETCH(QString, spoils);
        QFETCH(quint32, memoMs);
        QFETCH(int, points);
        QFETCH(QString, championship);
        QFETCH(int, memoryLeague);
        Session s;
        s.services.dialogs.defaultAnswer = false;
        s.attempt(count, spoils, memoMs, memoMinutes);
        TRuleTable* table = s.m()->tbRegelwerke;
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(s.m()->pPunkte->text(), QString::number(points));
        QCOMPARE(table->item(0, 1)->text(), QString::number(points));
        QCOMPARE(table->item(0, 2)->text(), championship + QStringLiteral(" (2021)"));
        QCOMPARE(table->item(1, 1)->text(), QString::number(memoryLeague));
        QCOMPARE(table->item(0, 0)->text(), s.m()->attempt().rule().name());
    }

    void aFormatFillsTheCardsAndTimes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("memoMinutes");
        QTest::addColumn<int>("recallMinutes");
        QTest::newRow("speed cards") << 1 << 52 << 5 << 5;
        QTest::newRow("10-min cards") << 2 << 520 << 10 << 20;
        QTest::newRow("30-min cards") << 3 << 1040 << 30 << 60;
        QTest::newRow("hour cards") << 4 << 2080 << 60 << 120;
        QTest::newRow("Memory League") << 5 << 52 << 1 << 4;
    }

    void aFormatFillsTheCardsAndTimes()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(int, memoMinutes);
        QFETCH(int, recallMinutes);
        Session s;
        TWinMeisterschaft* w = s.settings();
        w->showSettings();
        w->cbFormat->setCurrentIndex(index);
        Q_EMIT w->cbFormat->activated(index);
        QCOMPARE(w->udAnzahl->value(), count);
        QCOMPARE(w->udMemoZeit->value(), memoMinutes);
        QCOMPARE(w->udReplay->value(), recallMinutes);
        // Cancelled, the settings are what they were, and so is the format shown.
        w->bAbbrechen->click();
        QCOMPARE(w->udAnzahl->value(), TWinMeisterschaft::DefaultCount);
        QCOMPARE(w->cbFormat->currentIndex(), 0);
        w->showSettings();
        w->cbFormat->setCurrentIndex(index);
        Q_EMIT w->cbFormat->activated(index);
        w->bOK->click();
        QCOMPARE(w->setting().count, std::optional(count));
        QCOMPARE(w->cbFormat->currentIndex(), index);
        w->udReplay->setValue(recallMinutes + 1);
        QCOMPARE(w->cbFormat->currentIndex(), 0);
    }

    void theCardWindowsStayGermanUnderEnglishTexts()
    {
        Session s([](const TempProgramDir& dir) {
            WriteBytes(dir.file(QStringLiteral("BRAIN.INI")), "[Korvanis]\r\nSprache=1\r\n");
        });
        QCOMPARE(s.context().Language, 1);
        QCOMPARE(s.settings()->cbFormat->itemText(1), QStringLiteral("Speed Cards 5/5, 52 Karten"));
        s.services.dialogs.defaultAnswer = false;
        s.attempt(52, QString());
        TRuleTable* table = s.m()->tbRegelwerke;
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Regelwerk"));
        QVERIFY(table->item(1, 0)->text().contains(QStringLiteral("jedes richtige Element")));
    }
};

QTEST_MAIN(TestCardChampionship)
#include "test_card_championship.moc"
