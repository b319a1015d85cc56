// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_picture_store.h"

#include "cards/card_rules.h"
#include "core/korvanis_error.h"

#include <QFile>
#include <QPainter>
#include <QtEndian>

// The generated resource code lives in this static library; naming its
// initialiser here is what links it into the program.
static void initCardResources()
{
    Q_INIT_RESOURCE(cards);
}

namespace {

constexpr int HeaderSize = 40;
constexpr int PaletteSize = 16 * 4;
constexpr int RowBytes = 36;

template <class T>
T field(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

QImage loadPicture(const QString& name)
{
    QFile file(QStringLiteral(":/cards/") + name);
    const QImage picture = file.open(QIODevice::ReadOnly) ? DecodeCardPicture(file.readAll()) : QImage();
    if (picture.isNull())
        throw KorvanisError(QStringLiteral("Kartenbild %1 fehlt oder ist beschädigt").arg(name));
    return picture;
}

} // namespace

QImage DecodeCardPicture(const QByteArray& dib)
{
    constexpr int W = CardPictureStore::Width;
    constexpr int H = CardPictureStore::Height;
    if (dib.size() != HeaderSize + PaletteSize + RowBytes * H || field<quint32>(dib, 0) != HeaderSize
        || field<qint32>(dib, 4) != W || field<qint32>(dib, 8) != H || field<quint16>(dib, 12) != 1
        || field<quint16>(dib, 14) != 4 || field<quint32>(dib, 16) != 0)
        return {};
    QImage image(W, H, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int i = 0; i < 16; ++i) {
        const auto* quad = reinterpret_cast<const uchar*>(dib.constData() + HeaderSize + 4 * i);
        colours << qRgb(quad[2], quad[1], quad[0]);
    }
    image.setColorTable(colours);
    const auto* pixels = reinterpret_cast<const uchar*>(dib.constData() + HeaderSize + PaletteSize);
    for (int y = 0; y < H; ++y) {
        const uchar* row = pixels + (H - 1 - y) * RowBytes;
        uchar* line = image.scanLine(y);
        for (int x = 0; x < W; ++x)
            line[x] = x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    }
    return image;
}

void CardPictureStore::load()
{
    initCardResources();
    QList<Picture> faces, tools, backs;
    // The outline comes first: every picture is cut to it as it is decoded.
    const QImage outline = loadPicture(QStringLiteral("MASK")).convertToFormat(QImage::Format_RGB32);
    const auto fill = [&outline](QList<Picture>& list, QChar prefix, int count) {
        list.reserve(count);
        for (int i = 0; i < count; ++i)
            list << cutToOutline(loadPicture(prefix + QString::number(i)), outline);
    };
    fill(faces, u'F', FaceCount);
    fill(tools, u'T', ToolCount);
    fill(backs, u'B', BackCount);
    faces_ = std::move(faces);
    tools_ = std::move(tools);
    backs_ = std::move(backs);
}

CardPictureStore::Picture CardPictureStore::cutToOutline(const QImage& picture, const QImage& outline)
{
    Picture cut{picture.convertToFormat(QImage::Format_ARGB32), {}};
    cut.negative = cut.plain;
    cut.negative.invertPixels(QImage::InvertRgb);
    for (int y = 0; y < Height; ++y) {
        const auto* card = reinterpret_cast<const QRgb*>(outline.constScanLine(y));
        auto* plain = reinterpret_cast<QRgb*>(cut.plain.scanLine(y));
        auto* negative = reinterpret_cast<QRgb*>(cut.negative.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            // White in the outline is the card; black is what lies beneath.
            if (qGray(card[x]) < 128)
                plain[x] = negative[x] = 0;
        }
    }
    cut.plain = std::move(cut.plain).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    cut.negative = std::move(cut.negative).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return cut;
}

void CardPictureStore::draw(QPainter& painter, const QRect& target, const QList<Picture>& list, int i, bool inverted)
{
    if (list.isEmpty())
        return;
    if (i < 0 || i >= list.size())
        i = 0;
    const Picture& picture = list[i];
    painter.drawImage(target, inverted ? picture.negative : picture.plain);
}

void CardPictureStore::drawFace(QPainter& painter, const QRect& target, int i, bool inverted) const
{
    draw(painter, target, faces_, i, inverted);
}

void CardPictureStore::drawTool(QPainter& painter, const QRect& target, int i, bool inverted) const
{
    draw(painter, target, tools_, i, inverted);
}

void CardPictureStore::drawBack(QPainter& painter, const QRect& target, int i, bool inverted) const
{
    draw(painter, target, backs_, i, inverted);
}

QImage CardPictureStore::facePicture(int i) const
{
    if (faces_.isEmpty())
        return QImage();
    return faces_[i >= 0 && i < faces_.size() ? i : 0].plain;
}
