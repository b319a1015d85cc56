// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// Draws the 71 card pictures and writes them as the program carries them:
//   resources/cards/F0.dib .. F53.dib   faces, by face index
//   resources/cards/T0.dib .. T4.dib    tool pictures
//   resources/cards/B0.dib .. B10.dib   backs
//   resources/cards/MASK.dib            the card outline
// each a 16-colour device-independent bitmap of 71 x 96 pixels in exactly 3560
// bytes: the 40-byte header, the 16-entry palette and 96 bottom-up rows of 36
// bytes, with no file header in front, as a bitmap resource is stored. The files
// are committed; run this only to change the artwork:
//   build/tools/korvanis_make_cards resources/cards [sheet.png]
// The optional sheet shows all pictures at one and at two times their size.
#include "tools/card_art/card_art.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstdio>
#include <vector>

namespace {

constexpr int RowBytes = 36;  // 71 four-bit pixels, filled up to a multiple of 4 bytes
constexpr int PixelBytes = RowBytes * Canvas::H;

template <class T>
void put(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

QByteArray packedDib(const Canvas& c)
{
    QByteArray out;
    put<quint32>(out, 40);             // header size
    put<qint32>(out, Canvas::W);
    put<qint32>(out, Canvas::H);       // positive: rows bottom-up
    put<quint16>(out, 1);              // planes
    put<quint16>(out, 4);              // bits per pixel
    put<quint32>(out, 0);              // no compression
    put<quint32>(out, PixelBytes);
    put<qint32>(out, 0);               // no preferred resolution
    put<qint32>(out, 0);
    put<quint32>(out, 16);             // colours used
    put<quint32>(out, 0);              // all of them important
    for (const QRgb rgb : Palette) {
        out.append(char(qBlue(rgb)));
        out.append(char(qGreen(rgb)));
        out.append(char(qRed(rgb)));
        out.append('\0');
    }
    for (int y = Canvas::H - 1; y >= 0; --y) {
        QByteArray row(RowBytes, '\0');
        for (int x = 0; x < Canvas::W; ++x)
            row[x / 2] = char(row[x / 2] | (x % 2 ? c.at(x, y) : c.at(x, y) << 4));
        out.append(row);
    }
    return out;
}

QImage toImage(const Canvas& c)
{
    QImage image(Canvas::W, Canvas::H, QImage::Format_RGB32);
    for (int y = 0; y < Canvas::H; ++y)
        for (int x = 0; x < Canvas::W; ++x)
            image.setPixel(x, y, Palette[c.at(x, y)]);
    return image;
}

void writeSheet(const std::vector<Canvas>& pictures, const QString& fileName)
{
    constexpr int PerRow = 18;
    constexpr int Gap = 4;
    const int rows = (int(pictures.size()) + PerRow - 1) / PerRow;
    const int w1 = PerRow * (Canvas::W + Gap) + Gap;
    const int h1 = rows * (Canvas::H + Gap) + Gap;
    QImage sheet(w1 * 2, h1 + 2 * h1, QImage::Format_RGB32);
    sheet.fill(qRgb(0, 96, 0));
    QPainter p(&sheet);
    for (int scale = 1; scale <= 2; ++scale) {
        const int top = scale == 1 ? 0 : h1;
        for (int i = 0; i < int(pictures.size()); ++i) {
            const QRect r((Gap + (i % PerRow) * (Canvas::W + Gap)) * scale, top + (Gap + (i / PerRow) * (Canvas::H + Gap)) * scale,
                          Canvas::W * scale, Canvas::H * scale);
            p.drawImage(r, toImage(pictures[i]));
        }
    }
    p.end();
    sheet.save(fileName);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder of the card pictures> [sheet.png]\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    std::vector<std::pair<QString, Canvas>> pictures;
    for (int i = 0; i < 54; ++i)
        pictures.emplace_back(QStringLiteral("F%1").arg(i), FacePicture(i));
    for (int i = 0; i < 5; ++i)
        pictures.emplace_back(QStringLiteral("T%1").arg(i), ToolPicture(i));
    for (int i = 0; i < 11; ++i)
        pictures.emplace_back(QStringLiteral("B%1").arg(i), BackPicture(i));
    pictures.emplace_back(QStringLiteral("MASK"), MaskPicture());

    std::vector<Canvas> canvases;
    for (const auto& [name, canvas] : pictures) {
        QFile file(folder.filePath(name + QStringLiteral(".dib")));
        const QByteArray bytes = packedDib(canvas);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
        canvases.push_back(canvas);
    }
    std::printf("wrote %zu pictures to %s\n", pictures.size(), qPrintable(folder.path()));
    if (argc > 2)
        writeSheet(canvases, QString::fromLocal8Bit(argv[2]));
    return 0;
}
