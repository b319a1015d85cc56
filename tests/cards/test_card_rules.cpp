// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The card rules judged without a window: the seven properties of a card and how
// they follow each other, the dealing of fresh decks, and what the three card
// places show in a run and while idle.
#include "cards/card_deal.h"
#include "cards/card_rules.h"
#include "core/services.h"

#include <QTest>
#include <algorithm>
#include <numeric>
#include <deque>

namespace {

// The face indexes of dealt cards as numbers.
QList<int> faces(const QByteArray& cards)
{
    QList<int> indexes;
    for (char face : cards)
        indexes << int(face);
    return indexes;
}

// Hands out the draws it is given, then zeros, and keeps the pool sizes asked.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::deque<int> draws) : draws_(std::move(draws)) {}
    int next(int n) override
    {
        asked << n;
        if (draws_.empty())
            return 0;
        const int r = draws_.front() < 0 ? n - 1 : draws_.front();
        if (draws_.front() >= 0 || n == 1)
            draws_.pop_front();
        return r;
    }
    void Randomize() override {}
    QList<int> asked;

private:
    std::deque<int> draws_;  // -1 forever: always the last card of the pool
};

// "Prop=value" as a form would write it; returns whether the card is repainted.
bool write(PlayingCardState& card, const QString& assignment)
{
    const QString name = assignment.section('=', 0, 0);
    const QString text = assignment.section('=', 1);
    const int value = text.toInt();
    if (name == "FaceIndex")
        return card.setFaceIndex(value);
    if (name == "ToolIndex")
        return card.setToolIndex(value);
    if (name == "BackIndex")
        return card.setBackIndex(value);
    if (name == "Value")
        return card.setValue(value);
    if (name == "Suit")
        return card.setSuit(value);
    if (name == "Show")
        return card.setShow(text == "back" ? soBack : text == "tool" ? soTool : soFace);
    if (name == "Selected")
        return card.setSelected(value != 0);
    qFatal("unknown property %s", qPrintable(name));
}

QString stateOf(const PlayingCardState& c)
{
    return QString("face %1 value %2 suit %3 tool %4 back %5 show %6 selected %7")
        .arg(c.FaceIndex()).arg(c.Value()).arg(c.Suit()).arg(c.ToolIndex()).arg(c.BackIndex())
        .arg(int(c.Show())).arg(c.Selected());
}

QString slotText(const CardSlot& slot)
{
    switch (slot.show) {
    case soFace:
        return "F" + QString::number(slot.faceIndex);
    case soTool:
        return "T";
    case soBack:
        break;
    }
    return "B";
}

QString lineText(const CardLine& line)
{
    return slotText(line[0]) + ' ' + slotText(line[1]) + ' ' + slotText(line[2]);
}

} // namespace

class TestCardRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void propertyWrites_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("face_value_suit");  // afterwards; empty: unchanged
        QTest::addColumn<bool>("repaint");
        QTest::addColumn<QString>("error");

        QTest::newRow("41 is the two of spades") << QStringList() << "FaceIndex=41" << "41 2 3" << true << "";
        QTest::newRow("14 is the ace of diamonds") << QStringList() << "FaceIndex=14" << "14 1 1" << true << "";
        QTest::newRow("13 with suit 2 is the king of hearts")
            << QStringList{"Suit=2"} << "Value=13" << "39 13 2" << true << "";
        QTest::newRow("value 0, suit 2: coloured joker") << QStringList{"Suit=2"} << "Value=0" << "53 0 2" << true << "";
        QTest::newRow("value 0, suit 3: black joker") << QStringList{"Suit=3"} << "Value=0" << "0 0 3" << true << "";
        QTest::newRow("a suit moves a joker") << QStringList{"Value=0"} << "Suit=1" << "53 0 1" << true << "";
        QTest::newRow("face 0 keeps suit 1") << QStringList{"Suit=1"} << "FaceIndex=0" << "0 0 1" << true << "";
        QTest::newRow("face 0 turns spades to clubs") << QStringList{"Suit=3"} << "FaceIndex=0" << "0 0 0" << true << "";
        QTest::newRow("face 53 keeps suit 3") << QStringList{"Suit=3"} << "FaceIndex=53" << "53 0 3" << true << "";
        QTest::newRow("face 53 turns hearts to diamonds")
            << QStringList{"Suit=2"} << "FaceIndex=53" << "53 0 1" << true << "";

        QTest::newRow("value 14") << QStringList() << "Value=14" << "" << false << "Value out of range";
        QTest::newRow("value -1") << QStringList() << "Value=-1" << "" << false << "Value out of range";
        QTest::newRow("suit 4") << QStringList() << "Suit=4" << "" << false << "Suit out of range";
        QTest::newRow("suit -1") << QStringList() << "Suit=-1" << "" << false << "Suit out of range";
        QTest::newRow("face 54") << QStringList() << "FaceIndex=54" << "" << false << "Face index out of range";
        QTest::newRow("face -1") << QStringList() << "FaceIndex=-1" << "" << false << "Face index out of range";
        QTest::newRow("tool 5") << QStringList{"Show=tool"} << "ToolIndex=5" << "" << false << "Tool index out of range";
        QTest::newRow("back 11") << QStringList{"Show=back"} << "BackIndex=11" << "" << false << "Back index out of range";
        QTest::newRow("back -1") << QStringList() << "BackIndex=-1" << "" << false << "Back index out of range";

        // Writing what a property holds does nothing, even where it would show.
        QTest::newRow("same face") << QStringList() << "FaceIndex=1" << "" << false << "";
        QTest::newRow("same value") << QStringList() << "Value=1" << "" << false << "";
        QTest::newRow("same suit") << QStringList{"Suit=3"} << "Suit=3" << "" << false << "";
        QTest::newRow("same back, shown") << QStringList{"Show=back", "BackIndex=4"} << "BackIndex=4" << "" << false << "";
        QTest::newRow("same show") << QStringList{"Show=tool"} << "Show=tool" << "" << false << "";
        QTest::newRow("same selection") << QStringList{"Selected=1"} << "Selected=1" << "" << false << "";

        // Only the picture on show is painted again.
        QTest::newRow("back while the face shows") << QStringList() << "BackIndex=3" << "1 1 0" << false << "";
        QTest::newRow("back while the back shows") << QStringList{"Show=back"} << "BackIndex=3" << "1 1 0" << true << "";
        QTest::newRow("tool while the back shows") << QStringList{"Show=back"} << "ToolIndex=2" << "1 1 0" << false << "";
        QTest::newRow("tool while the tool shows") << QStringList{"Show=tool"} << "ToolIndex=2" << "1 1 0" << true << "";
        QTest::newRow("value while the back shows") << QStringList{"Show=back"} << "Value=5" << "5 5 0" << false << "";
        QTest::newRow("suit while the tool shows") << QStringList{"Show=tool"} << "Suit=1" << "14 1 1" << false << "";
        QTest::newRow("show") << QStringList() << "Show=back" << "1 1 0" << true << "";
        QTest::newRow("selection") << QStringList() << "Selected=1" << "1 1 0" << true << "";
    }

    void propertyWrites()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, assignment);
        QFETCH(QString, face_value_suit);
        QFETCH(bool, repaint);
        QFETCH(QString, error);

        PlayingCardState card;
        QCOMPARE(stateOf(card), QString("face 1 value 1 suit 0 tool 0 back 0 show 0 selected 0"));
        for (const QString& setup : before)
            write(card, setup);
        const QString old = stateOf(card);
        QString raised;
        bool repainted = false;
        try {
            repainted = write(card, assignment);
        } catch (const EPlayingCard& e) {
            raised = e.what();
        }
        QCOMPARE(raised, error);
        QCOMPARE(repainted, repaint);
        if (face_value_suit.isEmpty())
            QCOMPARE(stateOf(card), old);
        else
            QCOMPARE(QString("%1 %2 %3").arg(card.FaceIndex()).arg(card.Value()).arg(card.Suit()), face_value_suit);
    }

    void dealing_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<QList<int>>("cards");  // the first ones dealt
        QTest::addColumn<QList<int>>("asked");  // the first pool sizes asked

        QList<int> deckDown, deckUp, sizesDown;
        for (int i = 52; i >= 1; --i) {
            deckDown << i;
            deckUp << 53 - i;
            sizesDown << i;
        }
        QTest::newRow("52: one deck, each card once") << 52 << QList<int>{-1} << deckDown << sizesDown;
        QTest::newRow("53: a second deck begun") << 53 << QList<int>() << deckUp + QList<int>{1} << sizesDown + QList<int>{52};
        QTest::newRow("a drawn card closes its gap") << 5 << QList<int>{1, 1, 0} << QList<int>{2, 3, 1, 4, 5}
                                                     << QList<int>{52, 51, 50, 49, 48};
        QTest::newRow("none") << 0 << QList<int>() << QList<int>() << QList<int>();
    }

    void dealing()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, draws);
        QFETCH(QList<int>, cards);
        QFETCH(QList<int>, asked);
        ScriptedRandom random(std::deque<int>(draws.begin(), draws.end()));
        const QList<int> dealt = faces(DealCards(count, random));
        QCOMPARE(dealt.size(), count);
        QCOMPARE(dealt.mid(0, cards.size()), cards);
        QCOMPARE(random.asked.mid(0, asked.size()), asked);
        QCOMPARE(random.asked.size(), count);
    }

    void everyDeckIsComplete()
    {
        SeededRandom random(2024);
        const QList<int> dealt = faces(DealCards(2 * 52 + 10, random));
        QList<int> deck(52);
        std::iota(deck.begin(), deck.end(), 1);
        for (int d = 0; d < 2; ++d) {
            QList<int> part = dealt.mid(d * 52, 52);
            QVERIFY2(part != deck, "dealt in order");
            std::sort(part.begin(), part.end());
            QCOMPARE(part, deck);
        }
        QList<int> rest = dealt.mid(104);
        std::sort(rest.begin(), rest.end());
        QVERIFY(std::adjacent_find(rest.begin(), rest.end()) == rest.end());
    }

    void linesOfCards_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perLine");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("idle");

        QTest::newRow("3 in lines of 1") << 3 << 1 << QStringList{"F1 T T", "F2 T T", "F3 T T"} << "B T T";
        QTest::newRow("3 in lines of 2") << 3 << 2 << QStringList{"F1 F2 T", "F3 B T"} << "B B T";
        QTest::newRow("5 in lines of 3") << 5 << 3 << QStringList{"F1 F2 F3", "F4 F5 B"} << "B B B";
        QTest::newRow("4 in lines of 3") << 4 << 3 << QStringList{"F1 F2 F3", "F4 B B"} << "B B B";
    }

    void linesOfCards()
    {
        QFETCH(int, count);
        QFETCH(int, perLine);
        QFETCH(QStringList, lines);
        QFETCH(QString, idle);
        QByteArray cards;
        for (int face = 1; face <= count; ++face)
            cards += char(face);
        QStringList shown;
        for (PictureDrill drill(count, perLine); !drill.finished() && shown.size() <= count; drill.advance())
            shown << lineText(LineOfCards(cards, drill.current(), perLine));
        QCOMPARE(shown, lines);
        QCOMPARE(lineText(IdlePlaceholders(perLine)), idle);
    }

    void faceIndexOfValueAndSuit_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("face");
        QTest::newRow("ace of clubs") << 1 << 0 << 1;
        QTest::newRow("ace of hearts") << 1 << 2 << 27;
        QTest::newRow("king of spades") << 13 << 3 << 52;
        QTest::newRow("joker, clubs") << 0 << 0 << 0;
        QTest::newRow("joker, diamonds") << 0 << 1 << 53;
    }

    void faceIndexOfValueAndSuit()
    {
        QFETCH(int, value);
        QFETCH(int, suit);
        QFETCH(int, face);
        QCOMPARE(FaceIndexOf(value, suit), face);
    }
};

QTEST_GUILESS_MAIN(TestCardRules)
#include "test_card_rules.moc"
