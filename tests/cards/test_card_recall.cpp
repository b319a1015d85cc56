// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// Card recall and memorisation judged without a window: the keys of a card,
// typing over, taking back and moving in the places, the marks of cards already
// used in a deck, and a card attempt's views with the times each card was on
// show.
#include "cards/card_memo_attempt.h"
#include "cards/card_rules.h"
#include "training/card_scoring_rule.h"
#include "training/faster_points_offer.h"

#include <QTest>

namespace {

using Move = CardRecallEntry::Move;

// Types every character of keys.
void type(CardRecallEntry& entry, const QString& keys)
{
    for (QChar key : keys)
        entry.type(key);
}

// The places as value and suit letters ("AC" for the ace of clubs), "--" where empty.
QStringList places(const CardRecallEntry& entry)
{
    static const char* values = "A23456789TJQK";
    static const char* suits = "CDHS";
    QStringList out;
    for (char face : entry.answers()) {
        if (!face) {
            out << "--";
            continue;
        }
        out << QString("%1%2").arg(values[(face - 1) % 13]).arg(suits[(face - 1) / 13]);
    }
    return out;
}

AttemptRecord::Setting setting(int count, int perLine, int memoMinutes = 5)
{
    AttemptRecord::Setting s;
    s.count = count;
    s.perLine = perLine;
    s.memoMinutes = memoMinutes;
    s.recallMinutes = 10;
    return s;
}

QByteArray deck(int count)
{
    QByteArray cards;
    for (int i = 0; i < count; ++i)
        cards += char(i % 52 + 1);
    return cards;
}

} // namespace

Q_DECLARE_METATYPE(CardRecallEntry::Move)

class TestCardRecall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aValueKeyThenASuitKeyIsACard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("face");
        QTest::newRow("ace of clubs") << "AC" << 1;
        QTest::newRow("lower case") << "ac" << 1;
        QTest::newRow("ten by 0") << "0H" << 36;
        QTest::newRow("ten by T") << "TH" << 36;
        QTest::newRow("ten typed as 1 0") << "10H" << 36;
        QTest::newRow("Bube") << "BD" << 24;
        QTest::newRow("jack") << "JD" << 24;
        QTest::newRow("Dame of Pik") << "DP" << 51;
        QTest::newRow("queen of spades") << "QS" << 51;
        QTest::newRow("king of diamonds: D after a value is the suit") << "KD" << 26;
        QTest::newRow("nine of hearts") << "9h" << 35;
        // K is no suit: after a value it is the king's value instead.
        QTest::newRow("K replaces the value") << "5KC" << 13;
        QTest::newRow("a second value replaces the first") << "23S" << 42;
        QTest::newRow("a suit key without a value") << "CHS" << 0;
        QTest::newRow("keys of neither kind") << "x5#!H" << 31;
    }

    void aValueKeyThenASuitKeyIsACard()
    {
        QFETCH(QString, keys);
        QFETCH(int, face);
        CardRecallEntry entry(52);
        type(entry, keys);
        QCOMPARE(int(entry.answer(0)), face);
        QCOMPARE(entry.cursor(), face ? 1 : 0);
        QCOMPARE(entry.pendingValue(), 0);
        QVERIFY(!CardKeyMapText().isEmpty());
    }

    void theValueWaitsForItsSuit()
    {
        CardRecallEntry entry(52);
        QCOMPARE(entry.type(u'Q'), std::optional<CardEdit>());
        QCOMPARE(entry.pendingValue(), 12);
        QCOMPARE(entry.cursor(), 0);
        // Backspace takes the waiting value back, not a card.
        entry.backspace();
        QCOMPARE(entry.pendingValue(), 0);
        QCOMPARE(entry.type(u'H'), std::optional<CardEdit>());
        QCOMPARE(entry.type(u'Q'), std::optional<CardEdit>());
        QCOMPARE(entry.type(u'H'), std::optional<CardEdit>(CardEdit{0, 38}));
        // Moving drops a waiting value.
        entry.type(u'7');
        entry.move(Move::Left);
        QCOMPARE(entry.pendingValue(), 0);
        QCOMPARE(entry.cursor(), 0);
    }

    void typingOverwritesAndBackspaceTakesTheCardBefore()
    {
        CardRecallEntry entry(5);
        type(entry, "AC2C3C");
        QCOMPARE(places(entry), QStringList({"AC", "2C", "3C", "--", "--"}));
        entry.move(Move::Left);
        entry.move(Move::Left);
        QCOMPARE(entry.cursor(), 1);
        type(entry, "KH");
        QCOMPARE(places(entry), QStringList({"AC", "KH", "3C", "--", "--"}));
        QCOMPARE(entry.cursor(), 2);
        // Space leaves a place empty and moves on.
        QCOMPARE(entry.type(u' '), std::optional<CardEdit>(CardEdit{2, 0}));
        type(entry, "4C5C");
        QCOMPARE(places(entry), QStringList({"AC", "KH", "--", "4C", "5C"}));
        // After the last place the cursor stands past it; more keys write nothing.
        QCOMPARE(entry.cursor(), 5);
        type(entry, "6C");
        QCOMPARE(entry.pendingValue(), 0);
        QCOMPARE(places(entry).size(), 5);
        // Backspace from there takes the last card.
        QCOMPARE(entry.backspace(), std::optional<CardEdit>(CardEdit{4, 0}));
        QCOMPARE(entry.cursor(), 4);
        QCOMPARE(entry.backspace(), std::optional<CardEdit>(CardEdit{3, 0}));
        // Delete empties the place at the cursor and stays.
        entry.moveTo(0);
        QCOMPARE(entry.erase(), std::optional<CardEdit>(CardEdit{0, 0}));
        QCOMPARE(entry.cursor(), 0);
        QCOMPARE(entry.backspace(), std::optional<CardEdit>());
        QCOMPARE(places(entry), QStringList({"--", "KH", "--", "--", "--"}));
        // A picked face goes in at the cursor as a typed one does.
        QCOMPARE(entry.pick(52), std::optional<CardEdit>(CardEdit{0, 52}));
        QCOMPARE(entry.cursor(), 1);
        QCOMPARE(entry.pick(53), std::optional<CardEdit>());
    }

    void theCursorKeysMoveWithinThePlaces_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<Move>("move");
        QTest::addColumn<int>("to");
        // 120 places: two decks and 16 cards, in rows of 13.
        QTest::newRow("left") << 5 << Move::Left << 4;
        QTest::newRow("left at the first") << 0 << Move::Left << 0;
        QTest::newRow("right") << 5 << Move::Right << 6;
        QTest::newRow("right at the last") << 119 << Move::Right << 119;
        QTest::newRow("up a row") << 20 << Move::Up << 7;
        QTest::newRow("up in the first row") << 7 << Move::Up << 7;
        QTest::newRow("down a row") << 7 << Move::Down << 20;
        QTest::newRow("down past the end") << 110 << Move::Down << 110;
        QTest::newRow("deck start") << 70 << Move::DeckStart << 52;
        QTest::newRow("deck end") << 70 << Move::DeckEnd << 103;
        QTest::newRow("end of the short last deck") << 105 << Move::DeckEnd << 119;
        QTest::newRow("first") << 70 << Move::First << 0;
        QTest::newRow("last") << 3 << Move::Last << 119;
        QTest::newRow("previous deck") << 70 << Move::PreviousDeck << 18;
        QTest::newRow("previous deck from the first") << 18 << Move::PreviousDeck << 18;
        QTest::newRow("next deck") << 18 << Move::NextDeck << 70;
        QTest::newRow("next deck, shorter") << 80 << Move::NextDeck << 119;
        QTest::newRow("next deck from the last") << 110 << Move::NextDeck << 110;
    }

    void theCursorKeysMoveWithinThePlaces()
    {
        QFETCH(int, from);
        QFETCH(Move, move);
        QFETCH(int, to);
        CardRecallEntry entry(120, 13);
        entry.moveTo(from);
        QCOMPARE(entry.move(move), from != to);
        QCOMPARE(entry.cursor(), to);
        QCOMPARE(entry.answers(), QByteArray(120, '\0'));
    }

    void cardsAlreadyUsedAreCountedPerDeck()
    {
        CardRecallEntry entry(104);
        type(entry, "AC");
        type(entry, "AC");
        QCOMPARE(entry.usesInDeck(0, 1), 2);
        QCOMPARE(entry.usesAtCursor(1), 2);
        // Typing over a card takes it out of the count.
        entry.moveTo(1);
        type(entry, "2C");
        QCOMPARE(entry.usesInDeck(0, 1), 1);
        QCOMPARE(entry.usesInDeck(0, 2), 1);
        // The second deck counts its own.
        entry.moveTo(52);
        QCOMPARE(entry.usesAtCursor(1), 0);
        type(entry, "AC");
        QCOMPARE(entry.usesInDeck(1, 1), 1);
        QCOMPARE(entry.usesInDeck(0, 1), 1);
        entry.backspace();
        QCOMPARE(entry.usesInDeck(1, 1), 0);
        QCOMPARE(entry.usesInDeck(2, 1), 0);
        QCOMPARE(entry.usesInDeck(0, 0), 0);
    }

    void anAttemptLooksThroughItsViewsAndKeepsWhenEachCardWasOnShow()
    {
        CardMemoAttempt a;
        const quint32 start = 0xFFFFFF00u;
        a.begin(setting(7, 3), deck(7), start);
        QCOMPARE(a.phase(), ScoredAttempt::Memorising);
        QCOMPARE(a.viewCount(), 3);
        QCOMPARE(a.onShow(), (DrillGroup{0, 3}));
        QVERIFY(!a.back(start + 100));
        QVERIFY(a.forward(start + 1000));
        QCOMPARE(a.onShow(), (DrillGroup{3, 3}));
        QVERIFY(a.forward(start + 2000));
        QCOMPARE(a.onShow(), (DrillGroup{6, 1}));
        QVERIFY(!a.forward(start + 2500));
        QVERIFY(a.back(start + 3000));
        QVERIFY(a.back(start + 4000));
        QCOMPARE(a.onShow(), (DrillGroup{0, 3}));
        a.startRecalling(start + 5000);
        QCOMPARE(a.attempt().shownAtMs, QVector<qint32>({0, 0, 0, 1000, 1000, 1000, 2000}));
        QCOMPARE(a.attempt().lastShownAtMs, QVector<qint32>({5000, 5000, 5000, 4000, 4000, 4000, 3000}));
        QVERIFY(!a.forward(start + 6000));
        QCOMPARE(a.flow().memoMsUsed(), 5000u);
        QCOMPARE(a.entry().placeCount(), 7);
    }

    void aLateEndOfMemorisingIsTheLimit()
    {
        CardMemoAttempt a;
        a.begin(setting(52, 1, 1), deck(52), 0);
        a.forward(30000);
        // The window was closed and opened again an hour later.
        a.startRecalling(3600000);
        QCOMPARE(a.attempt().lastShownAtMs.at(1), 60000);
        QCOMPARE(a.attempt().lastShownAtMs.at(0), 30000);
        QCOMPARE(a.attempt().shownAtMs.at(2), -1);
        QCOMPARE(a.flow().memoTimeUsed(), 60.0);
    }

    void anAttemptKeepsItsAnswersWithTheirTimesAndIsScoredByItsRule()
    {
        CardMemoAttempt a;
        a.begin(setting(52, 1, 5), deck(52), 1000);
        // Keys before recall do nothing.
        QCOMPARE(a.type(u'A', 1500), std::optional<CardEdit>());
        a.startRecalling(61000);
        a.type(u'A', 62000);
        QCOMPARE(a.type(u'C', 63000), std::optional<CardEdit>(CardEdit{0, 1}));
        QCOMPARE(a.pick(2, 64000), std::optional<CardEdit>(CardEdit{1, 2}));
        QCOMPARE(a.pick(3, 65000), std::optional<CardEdit>(CardEdit{2, 3}));
        QCOMPARE(a.backspace(66000), std::optional<CardEdit>(CardEdit{2, 0}));
        QCOMPARE(a.attempt().answers.left(3), QByteArray("\x01\x02\x00", 3));
        QCOMPARE(a.attempt().answeredAtMs.mid(0, 4), QVector<qint32>({2000, 3000, 5000, -1}));
        QCOMPARE(&a.rule(), &CardScoringRuleOf(ScoringKind::SpeedCards));
        const ScoreResult& score = a.end(70000);
        QCOMPARE(score.totalPoints, 2);
        QVERIFY(!a.timeCounts());
        QCOMPARE(a.phase(), ScoredAttempt::Idle);
        const AttemptRecord record = a.record();
        QCOMPARE(record.discipline, int(CardsMemo));
        QCOMPARE(record.result.points, std::optional<int>(2));
        QCOMPARE(record.result.memoSecondsUsed, std::optional<double>(60.0));
        QCOMPARE(record.result.recallSecondsUsed, std::optional<double>(9.0));
        QCOMPARE(record.setting.perLine, std::optional<int>(1));
        // The history gets the deck, the answers and every card's time on show,
        // a deck to a row.
        QCOMPARE(record.items, a.attempt());
        QCOMPARE(record.itemsPerRow, 52);
        QVERIFY(a.offersRecord(FasterPointsOffer(PointsOffer::lookedUp(1), 99.0)));
        QVERIFY(!a.offersRecord(FasterPointsOffer(PointsOffer::lookedUp(2), 99.0)));
    }
};

QTEST_GUILESS_MAIN(TestCardRecall)
#include "test_card_recall.moc"
