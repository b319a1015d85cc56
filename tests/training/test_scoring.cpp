// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/scoring.h"
#include "training/scoring_rule.h"

#include <QTest>

namespace {

// A recalled sheet built from a perfect recall by spoiling cells. Columns count
// from 1 as on the sheet.
class Recall {
public:
    Recall(int digits, int rowWidth)
    {
        quint32 seed = 7;
        for (int i = 0; i < digits; ++i) {
            if (i % rowWidth == 0)
                rows_.append(RowTexts{});
            seed = seed * 1103515245u + 12345u;
            const QChar digit(u'0' + (seed >> 16) % 10);
            rows_.last().given.append(digit);
            rows_.last().recalled.append(digit);
        }
    }
    Recall& wrong(int row, int col)
    {
        QChar& c = rows_[row].recalled[col - 1];
        c = QChar(u'0' + (c.unicode() - u'0' + 1) % 10);
        return *this;
    }
    Recall& blank(int row, int col)
    {
        rows_[row].recalled[col - 1] = u' ';
        return *this;
    }
    Recall& blankFrom(int row, int col)
    {
        for (int c = col; c <= rows_[row].recalled.size(); ++c)
            blank(row, c);
        return *this;
    }
    Recall& blankRows(int first, int last)
    {
        for (int r = first; r <= last; ++r)
            blankFrom(r, 1);
        return *this;
    }
    QVector<RowTexts> rows() const { return rows_; }
    // The same recall as an attempt's data: an empty cell has no answer.
    Attempt attempt() const
    {
        Attempt a;
        for (const RowTexts& row : rows_) {
            a.given += row.given.toLatin1();
            for (QChar c : row.recalled)
                a.answers += c == u' ' ? '\0' : char(c.unicode());
        }
        return a;
    }

private:
    QVector<RowTexts> rows_;
};

QVector<int> repeat(int value, int times) { return QVector<int>(times, value); }

} // namespace

class TestScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void championship_data();
    void championship();
    void firstError_data();
    void firstError();
    void marks_data();
    void marks();
    void ruleHandedIn_data();
    void ruleHandedIn();
};

void TestScoring::championship_data()
{
    QTest::addColumn<QVector<RowTexts>>("rows");
    QTest::addColumn<QVector<int>>("rowPoints");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("errors");

    QTest::newRow("400 all right") << Recall(400, 40).rows() << repeat(40, 10) << 400 << 400 << 0;
    QTest::newRow("one wrong digit halves the row, rounded up")
        << Recall(400, 40).wrong(0, 7).rows() << (QVector<int>{20} + repeat(40, 9)) << 380 << 399 << 1;
    QTest::newRow("two wrong digits score nothing but still count")
        << Recall(400, 40).wrong(3, 1).wrong(3, 40).rows()
        << (repeat(40, 3) + QVector<int>{0} + repeat(40, 6)) << 360 << 398 << 2;
    QTest::newRow("empty cell in a full row above the last written row is an error")
        << Recall(400, 40).blank(2, 17).blankRows(5, 9).rows()
        << (QVector<int>{40, 40, 20, 40, 40} + repeat(0, 5)) << 180 << 199 << 1;
    QTest::newRow("last written row leaving only its final cell empty")
        << Recall(400, 40).blank(9, 40).rows() << (repeat(40, 9) + QVector<int>{39}) << 399 << 399 << 0;
    QTest::newRow("final cell empty in a last written row above empty rows")
        << Recall(400, 40).blank(4, 40).blankRows(5, 9).rows()
        << (repeat(40, 4) + QVector<int>{39} + repeat(0, 5)) << 199 << 199 << 0;
    QTest::newRow("stop after 25 digits of row 5")
        << Recall(400, 40).blankFrom(5, 26).blankRows(6, 9).rows()
        << (repeat(40, 5) + QVector<int>{25} + repeat(0, 4)) << 225 << 225 << 0;
    QTest::newRow("empty cell between written digits of the last written row")
        << Recall(400, 40).blank(5, 10).blankFrom(5, 26).blankRows(6, 9).rows()
        << (repeat(40, 5) + QVector<int>{12} + repeat(0, 4)) << 212 << 224 << 1;
    QTest::newRow("empty row above written rows scores nothing and adds no error")
        << Recall(400, 40).blankRows(3, 3).rows()
        << (repeat(40, 3) + QVector<int>{0} + repeat(40, 6)) << 360 << 360 << 0;
    QTest::newRow("trailing empty cells above the last written row are errors")
        << Recall(80, 40).blankFrom(0, 39).rows() << QVector<int>{0, 40} << 40 << 78 << 2;
    QTest::newRow("leading empty cells of the last written row are errors")
        << Recall(80, 40).blank(1, 1).blank(1, 2).blankFrom(1, 30).rows() << QVector<int>{40, 0} << 40 << 67 << 2;
    QTest::newRow("one error in a partial last row of 15: 14 right give 7")
        << Recall(95, 40).wrong(2, 3).rows() << QVector<int>{40, 40, 7} << 87 << 94 << 1;
    QTest::newRow("a wrong last digit of the last written row still counts")
        << Recall(95, 40).wrong(2, 15).rows() << QVector<int>{40, 40, 7} << 87 << 94 << 1;
    QTest::newRow("binary row with one error: 29 right give 15")
        << Recall(60, 30).wrong(1, 30).rows() << QVector<int>{30, 15} << 45 << 59 << 1;
    QTest::newRow("nothing typed") << Recall(95, 40).blankRows(0, 2).rows() << QVector<int>{0, 0, 0} << 0 << 0 << 0;
    QTest::newRow("only the first digit typed") << Recall(95, 40).blankFrom(0, 2).blankRows(1, 2).rows()
                                                << QVector<int>{1, 0, 0} << 1 << 1 << 0;
}

void TestScoring::championship()
{
    QFETCH(QVector<RowTexts>, rows);
    QFETCH(QVector<int>, rowPoints);
    QFETCH(int, total);
    QFETCH(int, correct);
    QFETCH(int, errors);

    const ScoreResult result = ScoreChampionship(rows);
    QCOMPARE(result.rowPoints, rowPoints);
    QCOMPARE(result.totalPoints, total);
    QCOMPARE(result.correctDigits, correct);
    QCOMPARE(result.errors, errors);
}

void TestScoring::firstError_data()
{
    QTest::addColumn<QVector<RowTexts>>("rows");
    QTest::addColumn<QVector<int>>("rowPoints");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("errors");

    QTest::newRow("100 all right") << Recall(100, 30).rows() << QVector<int>{30, 30, 30, 10} << 100 << 100 << 0;
    QTest::newRow("digit 10 wrong ends the points")
        << Recall(100, 30).wrong(0, 10).rows() << QVector<int>{9, 0, 0, 0} << 9 << 99 << 1;
    QTest::newRow("an empty cell is the first error")
        << Recall(100, 30).blank(1, 5).rows() << QVector<int>{30, 4, 0, 0} << 34 << 99 << 1;
    QTest::newRow("an empty row ends the points, later digits still count")
        << Recall(100, 30).blankRows(1, 1).rows() << QVector<int>{30, 0, 0, 0} << 30 << 70 << 0;
    QTest::newRow("typing stops inside a row")
        << Recall(100, 30).blankFrom(2, 12).blankRows(3, 3).rows() << QVector<int>{30, 30, 11, 0} << 71 << 71 << 0;
    QTest::newRow("nothing typed") << Recall(100, 30).blankRows(0, 3).rows() << QVector<int>{0, 0, 0, 0} << 0 << 0 << 0;
}

void TestScoring::firstError()
{
    QFETCH(QVector<RowTexts>, rows);
    QFETCH(QVector<int>, rowPoints);
    QFETCH(int, total);
    QFETCH(int, correct);
    QFETCH(int, errors);

    const ScoreResult result = ScoreFirstError(rows);
    QCOMPARE(result.rowPoints, rowPoints);
    QCOMPARE(result.totalPoints, total);
    QCOMPARE(result.correctDigits, correct);
    QCOMPARE(result.errors, errors);
}

void TestScoring::marks_data()
{
    QTest::addColumn<QChar>("given");
    QTest::addColumn<QChar>("recalled");
    QTest::addColumn<int>("mark");

    QTest::newRow("right") << QChar(u'5') << QChar(u'5') << int(CellMark::Right);
    QTest::newRow("wrong") << QChar(u'5') << QChar(u'6') << int(CellMark::Wrong);
    QTest::newRow("zero is a digit, not empty") << QChar(u'5') << QChar(u'0') << int(CellMark::Wrong);
    QTest::newRow("empty") << QChar(u'5') << QChar(u' ') << int(CellMark::Missing);
    QTest::newRow("null character is empty") << QChar(u'5') << QChar() << int(CellMark::Missing);
}

void TestScoring::marks()
{
    QFETCH(QChar, given);
    QFETCH(QChar, recalled);
    QFETCH(int, mark);
    QCOMPARE(int(MarkCell(given, recalled)), mark);
}

void TestScoring::ruleHandedIn_data()
{
    QTest::addColumn<bool>("firstError");
    QTest::addColumn<QVector<int>>("rowPoints");
    QTest::addColumn<int>("total");

    // One attempt, digit 10 wrong: the rules part ways on it.
    QTest::newRow("championship") << false << QVector<int>{15, 30, 30, 10} << 85;
    QTest::newRow("first error") << true << QVector<int>{9, 0, 0, 0} << 9;
}

void TestScoring::ruleHandedIn()
{
    QFETCH(bool, firstError);
    QFETCH(QVector<int>, rowPoints);
    QFETCH(int, total);

    const ChampionshipRule championship;
    const FirstErrorRule untilFirstError;
    const ScoringRule& rule = firstError ? static_cast<const ScoringRule&>(untilFirstError) : championship;
    const ScoreResult result = rule.score(Recall(100, 30).wrong(0, 10).attempt(), 30);
    QCOMPARE(result.rowPoints, rowPoints);
    QCOMPARE(result.totalPoints, total);
    QCOMPARE(result.correctDigits, 99);
}

QTEST_APPLESS_MAIN(TestScoring)
#include "test_scoring.moc"
