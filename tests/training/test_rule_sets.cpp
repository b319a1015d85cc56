// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The rule sets an attempt is shown under, judged without a window: every rule
// on hand-worked rows, the championship points formulas against worked
// examples, the table of standards with its file beside the settings, and the
// competition formats the memorisation pages offer.
#include "core/championship_standards.h"
#include "training/card_scoring_rule.h"
#include "training/championship_points.h"
#include "training/format_presets.h"
#include "training/iam_rule.h"
#include "training/memory_league_rule.h"
#include "training/rule_sets.h"
#include "training/scoring_rule.h"
#include "training/whole_rows_rule.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A perfect recall of `count` items, spoiled as `spoils` says: "w5" a wrong
// answer at place 5 (from 0), "m5" place 5 left empty, "s5" everything from
// place 5 on left empty. Cards are face indexes, digits characters.
Attempt recall(int count, const QString& spoils, bool cards = false)
{
    Attempt a;
    for (int i = 0; i < count; ++i)
        a.given += cards ? char((i * 7) % 52 + 1) : char('0' + (i * 3) % 10);
    a.answers = a.given;
    for (const QString& spoil : spoils.split(u' ', Qt::SkipEmptyParts)) {
        const int at = spoil.mid(1).toInt();
        switch (spoil.at(0).unicode()) {
        case u'w':
            a.answers[at] = cards ? char(a.given.at(at) % 52 + 1) : char('0' + (a.given.at(at) - '0' + 1) % 10);
            break;
        case u'm':
            a.answers[at] = 0;
            break;
        case u's':
            for (int i = at; i < count; ++i)
                a.answers[i] = 0;
            break;
        }
    }
    return a;
}

const ScoringRule& ruleNamed(const QString& name)
{
    static const ChampionshipRule championship;
    static const FirstErrorRule firstError;
    static const IamRule iam;
    static const WholeRowsRule wholeRows;
    static const MemoryLeagueRule memoryLeague;
    if (name == u"WMSC")
        return championship;
    if (name == u"spoken")
        return firstError;
    if (name == u"IAM")
        return iam;
    if (name == u"rows of 20")
        return wholeRows;
    if (name == u"speed cards")
        return CardScoringRuleOf(ScoringKind::SpeedCards);
    if (name == u"decks")
        return CardScoringRuleOf(ScoringKind::CardDecks);
    return memoryLeague;
}

ChampionshipStandard standard(PointsFormula formula, double value)
{
    ChampionshipStandard s;
    s.body = QStringLiteral("WMSC");
    s.discipline = QStringLiteral("numbers");
    s.formula = formula;
    s.value = value;
    return s;
}

AttemptRecord::Setting times(std::optional<int> count, int memo, int recall)
{
    AttemptRecord::Setting s;
    s.count = count;
    s.memoMinutes = memo;
    s.recallMinutes = recall;
    return s;
}

QByteArray readFile(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

Q_DECLARE_METATYPE(PointsFormula)
Q_DECLARE_METATYPE(DisciplineCode)

class TestRuleSets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // ---- every rule on hand-worked rows

    void rulesScoreHandWorkedRows_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("spoils");
        QTest::addColumn<int>("rowWidth");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("errors");
        // The world council's rows of 40: half a row for one error.
        QTest::newRow("WMSC full rows") << "WMSC" << 80 << "" << 40 << 80 << 80 << 0;
        QTest::newRow("WMSC one error") << "WMSC" << 80 << "w5" << 40 << 60 << 79 << 1;
        QTest::newRow("WMSC two errors") << "WMSC" << 80 << "w5 m30" << 40 << 40 << 78 << 2;
        QTest::newRow("WMSC partial last row") << "WMSC" << 80 << "s65" << 40 << 65 << 65 << 0;
        QTest::newRow("WMSC one error in the partial row") << "WMSC" << 80 << "s65 w50" << 40 << 52 << 64 << 1;
        QTest::newRow("WMSC empty rows") << "WMSC" << 120 << "s40" << 40 << 40 << 40 << 0;
        QTest::newRow("WMSC nothing written") << "WMSC" << 80 << "s0" << 40 << 0 << 0 << 0;
        QTest::newRow("WMSC binary rows of 30") << "WMSC" << 60 << "w3" << 30 << 45 << 59 << 1;
        // The IAM counts rows alike.
        QTest::newRow("IAM full rows") << "IAM" << 80 << "" << 40 << 80 << 80 << 0;
        QTest::newRow("IAM one error") << "IAM" << 80 << "w45" << 40 << 60 << 79 << 1;
        QTest::newRow("IAM two errors") << "IAM" << 80 << "w45 w46" << 40 << 40 << 78 << 2;
        QTest::newRow("IAM partial last row") << "IAM" << 80 << "s47" << 40 << 47 << 47 << 0;
        // Rows of 20, whatever the sheet: no half credit.
        QTest::newRow("rows of 20 full rows") << "rows of 20" << 80 << "" << 40 << 80 << 80 << 0;
        QTest::newRow("rows of 20 one error") << "rows of 20" << 80 << "w5" << 40 << 60 << 79 << 1;
        QTest::newRow("rows of 20 two errors") << "rows of 20" << 80 << "w5 w25" << 40 << 40 << 78 << 2;
        QTest::newRow("rows of 20 two errors in a row") << "rows of 20" << 80 << "w5 w6" << 40 << 60 << 78 << 2;
        QTest::newRow("rows of 20 partial last row") << "rows of 20" << 80 << "s65" << 40 << 65 << 65 << 0;
        QTest::newRow("rows of 20 error in the partial row") << "rows of 20" << 80 << "s65 w62" << 40 << 60 << 64
                                                             << 1;
        QTest::newRow("rows of 20 empty rows") << "rows of 20" << 80 << "s40" << 40 << 40 << 40 << 0;
        QTest::newRow("rows of 20 gap in a full row") << "rows of 20" << 80 << "m25" << 40 << 60 << 79 << 1;
        // Memory League: every right item, wherever it lies.
        QTest::newRow("Memory League full") << "Memory League" << 80 << "" << 40 << 80 << 80 << 0;
        QTest::newRow("Memory League one error") << "Memory League" << 80 << "w5" << 40 << 79 << 79 << 1;
        QTest::newRow("Memory League two errors") << "Memory League" << 80 << "w5 w6" << 40 << 78 << 78 << 2;
        QTest::newRow("Memory League partial") << "Memory League" << 80 << "s65" << 40 << 65 << 65 << 0;
        QTest::newRow("Memory League gap") << "Memory League" << 80 << "m10 s65" << 40 << 64 << 64 << 1;
        QTest::newRow("Memory League empty") << "Memory League" << 80 << "s0" << 40 << 0 << 0 << 0;
        QTest::newRow("Memory League cards") << "Memory League" << 52 << "w0 w51" << 52 << 50 << 50 << 2;
        // Spoken numbers: up to the first error, across rows.
        QTest::newRow("spoken full") << "spoken" << 100 << "" << 30 << 100 << 100 << 0;
        QTest::newRow("spoken first error in row 2") << "spoken" << 100 << "w37" << 30 << 37 << 99 << 1;
        QTest::newRow("spoken first digit wrong") << "spoken" << 100 << "w0" << 30 << 0 << 99 << 1;
        QTest::newRow("spoken gap") << "spoken" << 100 << "m10" << 30 << 10 << 99 << 1;
        QTest::newRow("spoken stopped") << "spoken" << 100 << "s50" << 30 << 50 << 50 << 0;
        QTest::newRow("spoken empty row between") << "spoken" << 90 << "s30" << 30 << 30 << 30 << 0;
        // Speed cards with and without all 52 right; decks deck by deck.
        QTest::newRow("speed cards 52 right") << "speed cards" << 52 << "" << 52 << 52 << 52 << 0;
        QTest::newRow("speed cards error at 30") << "speed cards" << 52 << "w30" << 52 << 30 << 51 << 1;
        QTest::newRow("speed cards stopped at 20") << "speed cards" << 52 << "s20" << 52 << 20 << 20 << 0;
        QTest::newRow("decks two right") << "decks" << 104 << "" << 52 << 104 << 104 << 0;
        QTest::newRow("decks one error") << "decks" << 104 << "w3" << 52 << 78 << 103 << 1;
        QTest::newRow("decks two errors") << "decks" << 104 << "w3 w4" << 52 << 52 << 102 << 2;
        QTest::newRow("decks partial last deck") << "decks" << 104 << "s70" << 52 << 70 << 70 << 0;
    }

    void rulesScoreHandWorkedRows()
    {
        QFETCH(QString, rule);
        QFETCH(int, count);
        QFETCH(QString, spoils);
        QFETCH(int, rowWidth);
        QFETCH(int, points);
        QFETCH(int, correct);
        QFETCH(int, errors);
        const bool cards = rule == u"speed cards" || rule == u"decks" || spoils.isEmpty() == false && count == 52;
        const ScoreResult score = ruleNamed(rule).score(recall(count, spoils, cards), rowWidth);
        QCOMPARE(score.totalPoints, points);
        QCOMPARE(score.correctDigits, correct);
        QCOMPARE(score.errors, errors);
        int sum = 0;
        for (int p : score.rowPoints)
            sum += p;
        QCOMPARE(sum, points);
    }

    void everyRuleNamesItselfAndItsSourceInOneLine_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("source");
        QTest::newRow("WMSC") << "WMSC" << "WMSC";
        QTest::newRow("spoken") << "spoken" << "WMSC";
        QTest::newRow("IAM") << "IAM" << "iam-memory.org";
        QTest::newRow("rows of 20") << "rows of 20" << "usamemorychampionship.com";
        QTest::newRow("Memory League") << "Memory League" << "memoryleague.com";
        QTest::newRow("speed cards") << "speed cards" << "WMSC";
        QTest::newRow("decks") << "decks" << "WMSC";
    }

    void everyRuleNamesItselfAndItsSourceInOneLine()
    {
        QFETCH(QString, rule);
        QFETCH(QString, source);
        for (qint32 language : {0, 1}) {
            const QString name = ruleNamed(rule).name(language);
            QVERIFY2(name.contains(source), qPrintable(name));
            QVERIFY(!name.contains(u'\n'));
        }
        QVERIFY(ruleNamed(rule).name(0) != ruleNamed(rule).name(1));
    }

    // ---- championship points

    void pointsFormulasGiveTheWorkedExamples_data()
    {
        QTest::addColumn<PointsFormula>("formula");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("score");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("cards");
        QTest::addColumn<double>("points");
        QTest::newRow("5-min numbers at the standard") << PointsFormula::PerStandard << 547.0 << 547 << 0.0 << 0
                                                       << 1000.0;
        QTest::newRow("5-min numbers, half") << PointsFormula::PerStandard << 547.0 << 273 << 0.0 << 0 << 499.0859;
        QTest::newRow("hour cards, half") << PointsFormula::PerStandard << 1950.0 << 975 << 0.0 << 0 << 500.0;
        QTest::newRow("30-min binary") << PointsFormula::PerStandard << 5811.0 << 0 << 0.0 << 0 << 0.0;
        QTest::newRow("speed cards 30 s (2021)") << PointsFormula::SpeedCards << 8007.5 << 52 << 30.0 << 52
                                                 << 624.6777;
        QTest::newRow("speed cards 30 s (2018)") << PointsFormula::SpeedCards << 9386.0 << 52 << 30.0 << 52
                                                 << 732.2167;
        QTest::newRow("speed cards 60 s") << PointsFormula::SpeedCards << 8007.5 << 52 << 60.0 << 52 << 371.4356;
        QTest::newRow("speed cards 26 right") << PointsFormula::SpeedCards << 8007.5 << 26 << 30.0 << 52 << 55.5426;
        QTest::newRow("speed cards none right") << PointsFormula::SpeedCards << 8007.5 << 0 << 30.0 << 52 << 0.0;
        QTest::newRow("spoken 100") << PointsFormula::Spoken << 47.3 << 100 << 0.0 << 0 << 473.0;
        QTest::newRow("spoken 200") << PointsFormula::Spoken << 47.3 << 200 << 0.0 << 0 << 668.9230;
        QTest::newRow("spoken 0") << PointsFormula::Spoken << 47.3 << 0 << 0.0 << 0 << 0.0;
    }

    void pointsFormulasGiveTheWorkedExamples()
    {
        QFETCH(PointsFormula, formula);
        QFETCH(double, value);
        QFETCH(int, score);
        QFETCH(double, seconds);
        QFETCH(int, cards);
        QFETCH(double, points);
        const double got = ChampionshipPoints(standard(formula, value), {score, seconds, cards});
        QVERIFY2(qAbs(got - points) < 0.001, qPrintable(QString::number(got, 'f', 4)));
    }

    // ---- the table of standards

    void theShippedTableHoldsThePublishedStandards_data()
    {
        QTest::addColumn<QString>("discipline");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<double>("value2018");
        QTest::addColumn<double>("value2021");
        QTest::newRow("5-min binary") << "binary" << 5 << 1000.0 << 1000.0;
        QTest::newRow("5-min numbers") << "numbers" << 5 << 547.0 << 547.0;
        QTest::newRow("dates") << "dates" << 5 << 125.0 << 125.0;
        QTest::newRow("5-min words") << "words" << 5 << 125.0 << 125.0;
        QTest::newRow("10-min cards") << "cards" << 10 << 407.0 << 407.0;
        QTest::newRow("15-min numbers") << "numbers" << 15 << 900.0 << 900.0;
        QTest::newRow("30-min binary") << "binary" << 30 << 5811.0 << 5811.0;
        QTest::newRow("30-min cards") << "cards" << 30 << 1014.0 << 1014.0;
        QTest::newRow("30-min numbers") << "numbers" << 30 << 1752.0 << 1752.0;
        QTest::newRow("hour cards") << "cards" << 60 << 1950.0 << 1950.0;
        QTest::newRow("hour numbers") << "numbers" << 60 << 3234.0 << 3234.0;
        QTest::newRow("speed cards") << "speedcards" << 0 << 9386.0 << 8007.5;
        QTest::newRow("spoken") << "spoken" << 0 << 47.3 << 47.3;
    }

    void theShippedTableHoldsThePublishedStandards()
    {
        QFETCH(QString, discipline);
        QFETCH(int, minutes);
        QFETCH(double, value2018);
        QFETCH(double, value2021);
        const ChampionshipStandards& shipped = ChampionshipStandards::shipped();
        for (const auto& [year, value] : {std::pair{2018, value2018}, std::pair{2021, value2021}}) {
            ChampionshipStandards ofYear;
            for (const ChampionshipStandard& s : shipped.rows) {
                if (s.year == year)
                    ofYear.rows.push_back(s);
            }
            const ChampionshipStandard* found = ofYear.find(QStringLiteral("WMSC"), discipline, minutes);
            QVERIFY(found);
            QCOMPARE(found->value, value);
            QVERIFY(!found->source.isEmpty());
        }
        // The newest year counts.
        QCOMPARE(shipped.find(QStringLiteral("wmsc"), discipline, minutes)->year, 2021);
        QCOMPARE(ChampionshipStandards::parse(shipped.toText()), std::optional(shipped));
    }

    void aLineThatIsNoStandardIsNamed_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("badLine");
        const QByteArray good = "WMSC\tnumbers\t5\t2021\tstandard\t547\tsource\n";
        QTest::newRow("good") << QByteArray("# comment\n\n" + good) << 0;
        QTest::newRow("value zero") << QByteArray(good + "WMSC\tnumbers\t5\t2021\tstandard\t0\tx\n") << 2;
        QTest::newRow("value not a number") << QByteArray("#\n" + good + "WMSC\tnumbers\t5\t2021\tstandard\tabc\n")
                                            << 3;
        QTest::newRow("unknown formula") << QByteArray("WMSC\tnumbers\t5\t2021\tsquare\t547\n") << 1;
        QTest::newRow("too few fields") << QByteArray("WMSC\tnumbers\t5\t2021\n") << 1;
        QTest::newRow("negative minutes") << QByteArray("WMSC\tnumbers\t-5\t2021\tstandard\t547\n") << 1;
        QTest::newRow("no body") << QByteArray("\tnumbers\t5\t2021\tstandard\t547\n") << 1;
        QTest::newRow("binary garbage") << QByteArray("\x01\x02\x03\n") << 1;
    }

    void aLineThatIsNoStandardIsNamed()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, badLine);
        int line = 0;
        const std::optional<ChampionshipStandards> table = ChampionshipStandards::parse(text, &line);
        QCOMPARE(table.has_value(), badLine == 0);
        QCOMPARE(line, badLine);
    }

    void theUsersTableLivesBesideTheSettings()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const QString file = folder + QLatin1String(ChampionshipStandards::FileName);
        // None yet: the shipped table, and a copy to edit.
        StandardsLoad load = LoadChampionshipStandards(folder);
        QCOMPARE(load.badLine, 0);
        QCOMPARE(load.standards, ChampionshipStandards::shipped());
        QCOMPARE(ChampionshipStandards::parse(readFile(file)), std::optional(ChampionshipStandards::shipped()));

        // An edited value counts.
        ChampionshipStandards edited = ChampionshipStandards::shipped();
        edited.rows.front().value = 1234;
        QVERIFY(SaveChampionshipStandards(folder, edited));
        QCOMPARE(LoadChampionshipStandards(folder).standards, edited);

        // A damaged file is named, the shipped values stand in, and the file stays.
        const QByteArray damaged = readFile(file) + "WMSC\tnumbers\tfive\n";
        writeFile(file, damaged);
        load = LoadChampionshipStandards(folder);
        QCOMPARE(load.badLine, int(edited.rows.size()) + 3);
        QCOMPARE(load.file, file);
        QCOMPARE(load.standards, ChampionshipStandards::shipped());
        QCOMPARE(readFile(file), damaged);
    }

    void aFailedSaveLeavesTheFileAsItWas()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/missing/");
        QVERIFY(!SaveChampionshipStandards(folder, ChampionshipStandards::shipped()));
        QVERIFY(!QFile::exists(folder + QLatin1String(ChampionshipStandards::FileName)));
    }

    // ---- one attempt under every rule set

    void anAttemptIsShownUnderEveryRuleSet_data()
    {
        QTest::addColumn<DisciplineCode>("code");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("spoils");
        QTest::addColumn<int>("memoMinutes");
        QTest::addColumn<int>("sheetRowWidth");
        QTest::addColumn<double>("memoSeconds");
        QTest::addColumn<QList<int>>("points");
        QTest::addColumn<QList<double>>("championship");  // -1: none
        QTest::newRow("5-min numbers, one error")
            << NumbersMemo << 80 << "w5" << 5 << 40 << 300.0 << QList<int>{60, 60, 60, 79}
            << QList<double>{60 / 547.0 * 1000, -1, -1, -1};
        QTest::newRow("hour numbers, two errors in a row of 20")
            << NumbersMemo << 80 << "w5 w6" << 60 << 40 << 3600.0 << QList<int>{40, 40, 60, 78}
            << QList<double>{40 / 3234.0 * 1000, -1, -1, -1};
        QTest::newRow("30-min binary") << BinaryMemo << 60 << "" << 30 << 30 << 1800.0 << QList<int>{60, 60, 60}
                                       << QList<double>{60 / 5811.0 * 1000, -1, -1};
        QTest::newRow("spoken, first error") << SpokenNumbers << 100 << "w37" << 0 << 30 << 0.0
                                             << QList<int>{37, 99} << QList<double>{47.3 * std::sqrt(37.0), -1};
        QTest::newRow("speed cards all right") << CardsMemo << 52 << "" << 5 << 52 << 30.0 << QList<int>{52, 52}
                                               << QList<double>{624.6777, -1};
        QTest::newRow("speed cards one wrong") << CardsMemo << 52 << "w26" << 5 << 52 << 30.0
                                               << QList<int>{26, 51} << QList<double>{55.5426, -1};
        QTest::newRow("10-min cards") << CardsMemo << 104 << "w3" << 10 << 52 << 600.0 << QList<int>{78, 103}
                                      << QList<double>{78 / 407.0 * 1000, -1};
    }

    void anAttemptIsShownUnderEveryRuleSet()
    {
        QFETCH(DisciplineCode, code);
        QFETCH(int, count);
        QFETCH(QString, spoils);
        QFETCH(int, memoMinutes);
        QFETCH(int, sheetRowWidth);
        QFETCH(double, memoSeconds);
        QFETCH(QList<int>, points);
        QFETCH(QList<double>, championship);
        const Attempt attempt = recall(count, spoils, code == CardsMemo);
        AttemptRecord::Setting setting = times(count, memoMinutes, 10);
        if (code == SpokenNumbers) {
            setting.memoMinutes.reset();
            setting.pulseMs = 1000;
        }
        const std::vector<RuleSetResult> results = ScoreUnderRuleSets(
            {&DisciplineOf(code), setting, &attempt, sheetRowWidth, memoSeconds}, ChampionshipStandards::shipped(), 0);
        QCOMPARE(int(results.size()), int(points.size()));
        for (int i = 0; i < points.size(); ++i) {
            QCOMPARE(results[i].points, points[i]);
            QCOMPARE(results[i].championshipPoints.has_value(), championship[i] >= 0);
            if (championship[i] >= 0) {
                QVERIFY2(qAbs(*results[i].championshipPoints - championship[i]) < 0.001,
                         qPrintable(QString::number(*results[i].championshipPoints)));
                QCOMPARE(results[i].standardYear, 2021);
            }
            QVERIFY(!results[i].name.isEmpty());
        }
        // The first is the rule the window itself scores by.
        QCOMPARE(results.front().name, ScoringRuleOf(DisciplineOf(code).scoringOf(setting)).name(0));
    }

    void theIamRuleCountsByTheIamsStandardsWhereTheTableHasThem()
    {
        ChampionshipStandards table = ChampionshipStandards::shipped();
        ChampionshipStandard iam = *table.find(QStringLiteral("WMSC"), QStringLiteral("numbers"), 5);
        iam.body = QStringLiteral("IAM");
        iam.value = 600;
        table.rows.push_back(iam);
        const Attempt attempt = recall(80, QString());
        const std::vector<RuleSetResult> results =
            ScoreUnderRuleSets({&DisciplineOf(NumbersMemo), times(80, 5, 15), &attempt, 40, 300}, table, 1);
        QCOMPARE(*results[1].championshipPoints, 80 / 600.0 * 1000);
        QCOMPARE(results[1].name, IamRule().name(1));
    }

    // ---- competition formats

    void formatsFillCountAndTimes_data()
    {
        QTest::addColumn<DisciplineCode>("code");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");  // 0: unlimited
        QTest::addColumn<int>("memoMinutes");
        QTest::addColumn<int>("recallMinutes");
        QTest::addColumn<int>("pulseMs");
        QTest::newRow("speed numbers") << NumbersMemo << 0 << 0 << 5 << 15 << 0;
        QTest::newRow("15-min numbers") << NumbersMemo << 1 << 0 << 15 << 30 << 0;
        QTest::newRow("30-min numbers") << NumbersMemo << 2 << 0 << 30 << 60 << 0;
        QTest::newRow("hour numbers") << NumbersMemo << 3 << 0 << 60 << 120 << 0;
        QTest::newRow("Memory League numbers") << NumbersMemo << 4 << 80 << 1 << 4 << 0;
        QTest::newRow("5-min binary") << BinaryMemo << 0 << 0 << 5 << 15 << 0;
        QTest::newRow("30-min binary 30/60") << BinaryMemo << 1 << 0 << 30 << 60 << 0;
        QTest::newRow("30-min binary 30/90") << BinaryMemo << 2 << 0 << 30 << 90 << 0;
        QTest::newRow("spoken 100") << SpokenNumbers << 0 << 100 << 0 << 5 << 1000;
        QTest::newRow("spoken 200") << SpokenNumbers << 1 << 200 << 0 << 10 << 1000;
        QTest::newRow("spoken 300") << SpokenNumbers << 2 << 300 << 0 << 15 << 1000;
        QTest::newRow("speed cards") << CardsMemo << 0 << 52 << 5 << 5 << 0;
        QTest::newRow("10-min cards") << CardsMemo << 1 << 520 << 10 << 20 << 0;
        QTest::newRow("Memory League cards") << CardsMemo << 4 << 52 << 1 << 4 << 0;
    }

    void formatsFillCountAndTimes()
    {
        QFETCH(DisciplineCode, code);
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(int, memoMinutes);
        QFETCH(int, recallMinutes);
        QFETCH(int, pulseMs);
        const AttemptRecord::Setting& s = FormatPresetsOf(code).at(index).setting;
        QCOMPARE(s.count.value_or(0), count);
        QCOMPARE(s.memoMinutes.value_or(0), memoMinutes);
        QCOMPARE(s.recallMinutes.value_or(0), recallMinutes);
        QCOMPARE(s.pulseMs.value_or(0), pulseMs);
        QCOMPARE(PresetIndexOf(code, s), index);
        AttemptRecord::Setting byHand = s;
        byHand.recallMinutes = recallMinutes + 1;
        QCOMPARE(PresetIndexOf(code, byHand), -1);
    }

    void aDisciplineWithoutMemorisationHasNoFormats()
    {
        QVERIFY(FormatPresetsOf(NumbersPicture).empty());
        QCOMPARE(PresetIndexOf(CardsPicture, times(52, 5, 5)), -1);
    }
};

QTEST_GUILESS_MAIN(TestRuleSets)
#include "test_rule_sets.moc"
