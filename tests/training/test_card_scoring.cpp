// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The card rules judged without a window: which rule a setting is scored by,
// speed cards up to the first wrong or missing card, the longer trials deck by
// deck with a partial last deck, and the record decision in which equal points
// win in less memorisation time.
#include "core/disciplines.h"
#include "training/card_scoring_rule.h"
#include "training/faster_points_offer.h"
#include "core/formats.h"

#include <QTest>

namespace {

// A perfect recall of `count` cards, spoiled as `spoils` says, item by item:
// "w5" a wrong card at place 5 (from 0), "m5" place 5 left empty, "r5" place 5
// holding the card of the place after it (a card used twice), "s5" everything
// from place 5 on left empty.
Attempt recall(int count, const QString& spoils)
{
    Attempt a;
    for (int i = 0; i < count; ++i)
        a.given += char((i * 7) % 52 + 1);
    a.answers = a.given;
    for (const QString& spoil : spoils.split(u' ', Qt::SkipEmptyParts)) {
        const int at = spoil.mid(1).toInt();
        switch (spoil.at(0).unicode()) {
        case u'w':
            a.answers[at] = char(a.given.at(at) % 52 + 1);
            break;
        case u'm':
            a.answers[at] = 0;
            break;
        case u'r':
            a.answers[at] = a.given.at(at + 1);
            break;
        case u's':
            for (int i = at; i < count; ++i)
                a.answers[i] = 0;
            break;
        }
    }
    return a;
}

AttemptRecord::Setting setting(int count, int memoMinutes)
{
    AttemptRecord::Setting s;
    s.count = count;
    s.perLine = 1;
    s.memoMinutes = memoMinutes;
    s.recallMinutes = 10;
    return s;
}

} // namespace

Q_DECLARE_METATYPE(ScoringKind)

class TestCardScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneShortDeckIsSpeedCardsAndTheRestDeckByDeck_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("memoMinutes");
        QTest::addColumn<ScoringKind>("kind");
        QTest::newRow("a deck in 5 minutes") << 52 << 5 << ScoringKind::SpeedCards;
        QTest::newRow("20 cards in a minute") << 20 << 1 << ScoringKind::SpeedCards;
        QTest::newRow("a deck in 6 minutes") << 52 << 6 << ScoringKind::CardDecks;
        QTest::newRow("53 cards in 5 minutes") << 53 << 5 << ScoringKind::CardDecks;
        QTest::newRow("ten decks in an hour") << 520 << 60 << ScoringKind::CardDecks;
    }

    void oneShortDeckIsSpeedCardsAndTheRestDeckByDeck()
    {
        QFETCH(int, count);
        QFETCH(int, memoMinutes);
        QFETCH(ScoringKind, kind);
        const Discipline& cards = DisciplineOf(CardsMemo);
        QCOMPARE(cards.scoringOf(setting(count, memoMinutes)), kind);
        QVERIFY(cards.memoTimeIsUsers());
        // The rule objects behind the kinds are the card rules, whichever way asked.
        QCOMPARE(&ScoringRuleOf(kind), static_cast<const ScoringRule*>(&CardScoringRuleOf(kind)));
        // The other disciplines keep their one rule whatever the setting.
        QCOMPARE(DisciplineOf(NumbersMemo).scoringOf(setting(count, memoMinutes)), ScoringKind::Championship);
    }

    void theCardRulesScoreDeckByDeck_data()
    {
        QTest::addColumn<ScoringKind>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("spoils");
        QTest::addColumn<QList<int>>("deckPoints");
        QTest::addColumn<int>("rightCards");
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("timeCounts");
        const auto speed = ScoringKind::SpeedCards;
        const auto decks = ScoringKind::CardDecks;
        QTest::newRow("speed: all right") << speed << 52 << "" << QList<int>{52} << 52 << 0 << true;
        QTest::newRow("speed: a wrong card") << speed << 52 << "w20" << QList<int>{20} << 51 << 1 << false;
        QTest::newRow("speed: the first card missing") << speed << 52 << "m0" << QList<int>{0} << 51 << 1 << false;
        QTest::newRow("speed: a card used twice") << speed << 52 << "r10" << QList<int>{10} << 51 << 1 << false;
        // Where the user stopped, the places left empty are no errors.
        QTest::newRow("speed: stopped after 30") << speed << 52 << "s30" << QList<int>{30} << 30 << 0 << false;
        QTest::newRow("speed: 30 of 30") << speed << 30 << "" << QList<int>{30} << 30 << 0 << true;
        QTest::newRow("speed: nothing recalled") << speed << 52 << "s0" << QList<int>{0} << 0 << 0 << false;

        QTest::newRow("decks: all right") << decks << 104 << "" << QList<int>{52, 52} << 104 << 0 << true;
        QTest::newRow("decks: one wrong") << decks << 104 << "w3" << QList<int>{26, 52} << 103 << 1 << true;
        QTest::newRow("decks: one missing") << decks << 104 << "m51" << QList<int>{26, 52} << 103 << 1 << true;
        QTest::newRow("decks: two errors") << decks << 104 << "w60 r70" << QList<int>{52, 0} << 102 << 2 << true;
        QTest::newRow("decks: a deck of one error in 10 minutes") << decks << 52 << "w51" << QList<int>{26} << 51 << 1
                                                                  << true;
        QTest::newRow("decks: stopped 30 cards into the last") << decks << 104 << "s82" << QList<int>{52, 30} << 82 << 0
                                                               << true;
        QTest::newRow("decks: stopped, one error there") << decks << 104 << "s82 w60" << QList<int>{52, 15} << 81 << 1
                                                         << true;
        // Only in the last written deck do the places after the last answer not count.
        QTest::newRow("decks: a gap, then stopped in the last") << decks << 104 << "m20 s60" << QList<int>{26, 8} << 59
                                                                << 1 << true;
        QTest::newRow("decks: stopped in deck 1, a card in deck 2") << decks << 104 << "s30 w60" << QList<int>{0, 0}
                                                                    << 30 << 31 << true;
        QTest::newRow("decks: the first deck left empty") << decks << 104 << "s0" << QList<int>{0, 0} << 0 << 0 << true;
        QTest::newRow("decks: partial last deck right") << decks << 60 << "" << QList<int>{52, 8} << 60 << 0 << true;
        QTest::newRow("decks: partial last deck, one error") << decks << 61 << "w55" << QList<int>{52, 5} << 60 << 1
                                                             << true;
        QTest::newRow("decks: partial last deck, two errors") << decks << 61 << "w55 m56" << QList<int>{52, 0} << 59
                                                              << 2 << true;
    }

    void theCardRulesScoreDeckByDeck()
    {
        QFETCH(ScoringKind, kind);
        QFETCH(int, count);
        QFETCH(QString, spoils);
        QFETCH(QList<int>, deckPoints);
        QFETCH(int, rightCards);
        QFETCH(int, errors);
        QFETCH(bool, timeCounts);
        const CardScoringRule& rule = CardScoringRuleOf(kind);
        const Attempt attempt = recall(count, spoils);
        const ScoreResult score = rule.score(attempt, 52);
        QCOMPARE(QList<int>(score.rowPoints.begin(), score.rowPoints.end()), deckPoints);
        QCOMPARE(score.totalPoints, std::accumulate(deckPoints.begin(), deckPoints.end(), 0));
        QCOMPARE(score.correctDigits, rightCards);
        QCOMPARE(score.errors, errors);
        QCOMPARE(rule.timeCounts(score.totalPoints, count), timeCounts);
        QVERIFY(!rule.name().isEmpty() && !rule.name().contains(u'\n'));
    }

    void equalPointsWinInLessTimeWhereTimeCounts_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<double>("memoSeconds");
        QTest::addColumn<bool>("timeCounts");
        QTest::addColumn<bool>("offered");
        // The stored record: 52 points memorised in 83.45 s.
        QTest::newRow("more points") << 53 << 200.0 << false << true;
        QTest::newRow("fewer points, faster") << 51 << 10.0 << true << false;
        QTest::newRow("equal points, faster") << 52 << 83.44 << true << true;
        QTest::newRow("equal points, as fast") << 52 << 83.45 << true << false;
        // It would be stored as 83.45: no better than the record.
        QTest::newRow("equal points, faster below the hundredth") << 52 << 83.4461 << true << false;
        QTest::newRow("equal points, slower") << 52 << 90.0 << true << false;
        QTest::newRow("equal points, faster, time not counting") << 52 << 10.0 << false << false;
    }

    void equalPointsWinInLessTimeWhereTimeCounts()
    {
        QFETCH(int, total);
        QFETCH(double, memoSeconds);
        QFETCH(bool, timeCounts);
        QFETCH(bool, offered);
        const FasterPointsOffer stored(PointsOffer::lookedUp(52), 83.45);
        QCOMPARE(stored.offersRecord(total, memoSeconds, timeCounts), offered);
    }

    void withoutARecordAnyPointsAreOfferedAndNoKeyNone()
    {
        const FasterPointsOffer none(PointsOffer::lookedUp(std::nullopt), std::nullopt);
        QVERIFY(none.offersRecord(1, 500, true));
        QVERIFY(!none.offersRecord(0, 1, true));
        QCOMPARE(none.recordText(true), QString("0"));
        QCOMPARE(none.storedMemoSeconds(), std::optional<double>());
        const FasterPointsOffer noKey(PointsOffer::noKey(), 10.0);
        QVERIFY(!noKey.offersRecord(52, 1, true));
        QCOMPARE(noKey.storedMemoSeconds(), std::optional<double>());
        // A record stored without a time is beaten by points only.
        const FasterPointsOffer untimed(PointsOffer::lookedUp(52), std::nullopt);
        QVERIFY(!untimed.offersRecord(52, 1, true));
        QVERIFY(untimed.offersRecord(53, 1, true));

        const FasterPointsOffer stored(PointsOffer::lookedUp(52), 83.45);
        QCOMPARE(stored.recordText(false), QString("52"));
        QCOMPARE(stored.recordText(true), QString("52 in %1 s").arg(FormatFixed(83.45, 2)));
    }
};

QTEST_GUILESS_MAIN(TestCardScoring)
#include "test_card_scoring.moc"
