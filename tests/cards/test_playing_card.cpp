// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The card pictures the program carries, the card picture store and the
// playing-card control, checked by the bytes of the pictures and by the pixels
// of a grabbed card on a coloured parent.
#include "cards/card_picture_store.h"
#include "cards/playing_card.h"

#include <QPainter>
#include <QSet>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

namespace {

const QColor Beneath(10, 100, 200);  // not a palette colour: a corner showing it shows the parent

QStringList pictureNames()
{
    QStringList names;
    for (int i = 0; i < 54; ++i)
        names << QString("F%1").arg(i);
    for (int i = 0; i < 5; ++i)
        names << QString("T%1").arg(i);
    for (int i = 0; i < 11; ++i)
        names << QString("B%1").arg(i);
    return names << "MASK";
}

QByteArray resource(const QString& name)
{
    QFile file(":/cards/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// The colour of pixel (x, y) read straight from the bytes, rows bottom-up.
QRgb pixelOf(const QByteArray& dib, int x, int y)
{
    const uchar byte = uchar(dib[104 + (95 - y) * 36 + x / 2]);
    const int index = x % 2 ? byte & 0x0F : byte >> 4;
    const auto* quad = reinterpret_cast<const uchar*>(dib.constData() + 40 + 4 * index);
    return qRgb(quad[2], quad[1], quad[0]);
}

bool insideOutline(int x, int y)
{
    const QByteArray mask = resource("MASK");
    return pixelOf(mask, x, y) == qRgb(255, 255, 255);
}

} // namespace

class TestPlayingCard : public QObject {
    Q_OBJECT

    CardPictureStore store;

private Q_SLOTS:
    void initTestCase() { store.load(); }

    void everyPictureIsA16ColourBitmapOf71By96()
    {
        QSet<QByteArray> distinct;
        for (const QString& name : pictureNames()) {
            const QByteArray dib = resource(name);
            QVERIFY2(dib.size() == 3560, qPrintable(name));
            // Header: its size, 71 x 96 bottom-up, 1 plane, 4 bits, no compression, 3456 bytes of pixels.
            QCOMPARE(QList<quint32>({u32(dib, 0), u32(dib, 4), u32(dib, 8), u16(dib, 12), u16(dib, 14), u32(dib, 16),
                                     u32(dib, 20)}),
                     QList<quint32>({40, 71, 96, 1, 4, 0, 3456}));
            QVERIFY(u32(dib, 32) == 0 || u32(dib, 32) == 16);
            for (int i = 0; i < 16; ++i)
                QCOMPARE(dib[40 + 4 * i + 3], '\0');
            // The filler nibble after the 71st pixel of each row is empty.
            for (int row = 0; row < 96; ++row)
                QCOMPARE(dib[104 + row * 36 + 35] & 0x0F, 0);
            distinct.insert(dib.mid(104));
        }
        QCOMPARE(distinct.size(), 71);
    }

    void theMaskIsTheCardOutline()
    {
        const QByteArray mask = resource("MASK");
        QSet<QPoint> black;
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 71; ++x) {
                const QRgb c = pixelOf(mask, x, y);
                QVERIFY(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255));
                if (c == qRgb(0, 0, 0))
                    black.insert(QPoint(x, y));
            }
        QCOMPARE(black, QSet<QPoint>({{0, 0}, {1, 0}, {69, 0}, {70, 0}, {0, 1}, {70, 1},
                                      {0, 94}, {70, 94}, {0, 95}, {1, 95}, {69, 95}, {70, 95}}));
    }

    void aCardIsItsPictureInsideTheOutline_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("picture");

        QTest::newRow("face") << "face" << 27 << false << 1 << "F27";
        QTest::newRow("selected face") << "face" << 53 << true << 1 << "F53";
        QTest::newRow("back at twice the size") << "back" << 3 << false << 2 << "B3";
        QTest::newRow("selected tool at twice the size") << "tool" << 2 << true << 2 << "T2";
    }

    void aCardIsItsPictureInsideTheOutline()
    {
        QFETCH(QString, property);
        QFETCH(int, index);
        QFETCH(bool, selected);
        QFETCH(int, scale);
        QFETCH(QString, picture);

        QWidget parent;
        parent.resize(200, 240);
        QPalette palette;
        palette.setColor(QPalette::Window, Beneath);
        parent.setPalette(palette);
        parent.setAutoFillBackground(true);
        TPlayingCard card(store, &parent);
        card.setGeometry(7, 11, 71 * scale, 96 * scale);
        if (property == "face")
            card.setFaceIndex(index);
        card.setToolIndex(property == "tool" ? index : 0);
        card.setBackIndex(property == "back" ? index : 0);
        card.setShow(property == "face" ? soFace : property == "tool" ? soTool : soBack);
        card.setSelected(selected);

        const QImage shot = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QByteArray dib = resource(picture);
        int corners = 0;
        for (int y = 0; y < 96 * scale; ++y)
            for (int x = 0; x < 71 * scale; ++x) {
                QRgb expected = Beneath.rgb();
                if (insideOutline(x / scale, y / scale)) {
                    const QRgb p = pixelOf(dib, x / scale, y / scale);
                    expected = selected ? qRgb(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p)) : p;
                } else {
                    ++corners;
                }
                const QRgb seen = shot.pixel(7 + x, 11 + y) | 0xFF000000;
                if (seen != expected)
                    QFAIL(qPrintable(QString("pixel %1,%2: %3 instead of %4")
                                         .arg(x).arg(y).arg(seen, 0, 16).arg(expected, 0, 16)));
            }
        QCOMPARE(corners, 12 * scale * scale);
    }

    void anIndexOutsideItsListDrawsPictureZero_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::newRow("face 54") << "face" << 54;
        QTest::newRow("tool -1") << "tool" << -1;
        QTest::newRow("back 11") << "back" << 11;
    }

    void anIndexOutsideItsListDrawsPictureZero()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        const auto render = [&](int i) {
            QImage image(71, 96, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            const QRect r(0, 0, 71, 96);
            list == "face" ? store.drawFace(painter, r, i, false)
                : list == "tool" ? store.drawTool(painter, r, i, false) : store.drawBack(painter, r, i, false);
            return image;
        };
        QCOMPARE(render(index), render(0));
        QVERIFY(render(1) != render(0));
    }

    void aFocusedCardShowsItsFocusHoweverItCame()
    {
        QWidget parent;
        parent.resize(100, 120);
        TPlayingCard card(store, &parent);
        parent.show();
        QApplication::setActiveWindow(&parent);
        QVERIFY(QTest::qWaitForWindowActive(&parent));
        const auto framePixels = [&] {
            const QImage shot = card.grab().toImage();
            const QRgb highlight = card.palette().color(QPalette::Highlight).rgb();
            int n = 0;
            for (int x = 0; x < 71; ++x)
                n += (shot.pixel(x, 3) | 0xFF000000) == highlight;
            return n;
        };
        QCOMPARE(framePixels(), 0);
        // Focus given by the program, not by the Tab key.
        card.setFocusPolicy(Qt::StrongFocus);
        card.setFocus();
        QVERIFY(card.hasFocus());
        QVERIFY(framePixels() > 20);
    }

    void propertiesAreSetByName()
    {
        TPlayingCard card(store);
        QCOMPARE(card.size(), QSize(71, 96));
        QStringList names;
        const QMetaObject* meta = card.metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
            names << meta->property(i).name();
        QCOMPARE(names, QStringList({"FaceIndex", "ToolIndex", "BackIndex", "Value", "Suit", "Show", "Selected"}));
        QVERIFY(card.setProperty("Show", "soBack"));
        QCOMPARE(card.Show(), soBack);
        QVERIFY(card.setProperty("Value", 12));
        QCOMPARE(card.FaceIndex(), 12);
        QVERIFY_THROWS_EXCEPTION(EPlayingCard, card.setProperty("Suit", 4));
        QCOMPARE(card.property("Suit").toInt(), 0);
    }

    void onlyAChangeOfWhatShowsRepaints_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<int>("paints");
        QTest::newRow("the back while the face shows") << "BackIndex" << 0;
        QTest::newRow("the face shown") << "FaceIndex" << 1;
        QTest::newRow("the face it has") << "same" << 0;
        QTest::newRow("selection") << "Selected" << 1;
    }

    void onlyAChangeOfWhatShowsRepaints()
    {
        QFETCH(QString, write);
        QFETCH(int, paints);
        QWidget parent;
        parent.resize(100, 120);
        TPlayingCard card(store, &parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QApplication::processEvents();
        int painted = 0;
        struct Counter : QObject {
            int& n;
            explicit Counter(int& count) : n(count) {}
            bool eventFilter(QObject*, QEvent* e) override
            {
                n += e->type() == QEvent::Paint;
                return false;
            }
        } counter(painted);
        card.installEventFilter(&counter);
        if (write == "BackIndex")
            card.setBackIndex(5);
        else if (write == "FaceIndex")
            card.setFaceIndex(40);
        else if (write == "same")
            card.setFaceIndex(1);
        else
            card.setSelected(true);
        QTest::qWait(20);
        QCOMPARE(painted, paints);
    }
};

QTEST_MAIN(TestPlayingCard)
#include "test_playing_card.moc"
