// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/sheet_view.h"

#include <QTest>

class TestSheetView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void groupsBeginWhereTheAthleteReads_data()
    {
        QTest::addColumn<int>("grouping");
        QTest::addColumn<int>("rowWidth");
        QTest::addColumn<QString>("row");  // '|' before a column that begins a group, '#' a shaded column

        QTest::newRow("none") << int(SheetView::Grouping::None) << 12 << "............";
        QTest::newRow("pairs") << int(SheetView::Grouping::Pairs) << 10 << "..|##|..|##|..";
        QTest::newRow("triples") << int(SheetView::Grouping::Triples) << 10 << "...|###|...|#";
        QTest::newRow("4-3-3 over thirty")
            << int(SheetView::Grouping::Split433) << 30
            << "....|###|...|####|...|###|....|###|...";
    }

    void groupsBeginWhereTheAthleteReads()
    {
        QFETCH(int, grouping);
        QFETCH(int, rowWidth);
        QFETCH(QString, row);
        const SheetView view = SheetView::fromChoices(0, grouping);
        QString seen;
        for (int col = 1; col <= rowWidth; ++col) {
            if (view.startsGroup(col))
                seen += QLatin1Char('|');
            seen += view.shaded(col) ? QLatin1Char('#') : QLatin1Char('.');
        }
        QCOMPARE(seen, row);
    }

    void sizesGrowFromTheDesignedCells_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("px");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("rowsOfTheDesignedSheet");
        QTest::newRow("designed") << 0 << 16 << 13 << 22 << 10;
        QTest::newRow("large") << 1 << 24 << 19 << 30 << 7;
        QTest::newRow("larger") << 2 << 32 << 25 << 40 << 5;
        // A choice the file holds but no view has is the designed one.
        QTest::newRow("unknown") << 7 << 16 << 13 << 22 << 10;
    }

    void sizesGrowFromTheDesignedCells()
    {
        QFETCH(int, size);
        QFETCH(int, px);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, rowsOfTheDesignedSheet);
        const SheetView view = SheetView::fromChoices(size, -1);
        QCOMPARE(view.grouping, SheetView::Grouping::None);
        QCOMPARE(QList<int>({view.digitPx(), view.columnWidth(), view.rowHeight()}), QList<int>({px, width, height}));
        // The digit fits its cell with room around it.
        QVERIFY(view.digitPx() * 2 / 3 < view.columnWidth() && view.digitPx() < view.rowHeight());
        QCOMPARE(view.rowsIn(220), rowsOfTheDesignedSheet);
    }
};

QTEST_APPLESS_MAIN(TestSheetView)
#include "test_sheet_view.moc"
