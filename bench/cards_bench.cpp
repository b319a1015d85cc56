// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The cards: painting one card, a click that turns up the next line of three
// cards in the real window, and filling the card picture store. Prints one
// line per figure with its share of the target.
#include "app/main_win.h"
#include "app/startup.h"
#include "cards/card_picture_store.h"
#include "cards/playing_card.h"
#include "cards/win_karten.h"
#include "tests/support/fakes.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

// Every allocation of the process is counted, so a figure can show that the
// paint itself allocates nothing.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* name, double value, const char* unit, double target)
{
    std::printf("%s: %.3f %s (%.3f of the %g %s target)\n", name, value, unit, value / target, target, unit);
}

// One card painted as its paint event paints it: a painter begun on the
// surface, the picture drawn, the painter ended.
void paintFigures(const CardPictureStore& store, int scale)
{
    QImage surface(71 * scale + 10, 96 * scale + 10, QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::darkGreen);
    const QRect target(5, 5, 71 * scale, 96 * scale);
    std::vector<double> times;
    long drawAllocations = 0;
    for (int i = 0; i < 4000; ++i) {
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&surface);
        const long before = allocations;
        store.drawFace(painter, target, i % 54, i % 7 == 0);
        drawAllocations += allocations - before;
        painter.end();
        times.push_back(timer.nsecsElapsed() / 1000.0);
    }
    char name[64];
    std::snprintf(name, sizeof name, "card_paint_us_%dx%d", 71 * scale, 96 * scale);
    report(name, median(times), "us", 100);
    std::printf("card_draw_allocations_%dx%d: %ld in 4000 paints\n", 71 * scale, 96 * scale, drawAllocations);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    std::vector<double> fills;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer timer;
        timer.start();
        CardPictureStore store;
        store.load();
        fills.push_back(timer.nsecsElapsed() / 1e6);
    }

    FakeServices services;
    services.dialogs.defaultAnswer = false;
    TempProgramDir dir;
    auto main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                      dir.file("korvanis"));
    paintFigures(main->cardPictures(), 1);
    paintFigures(main->cardPictures(), 2);

    // Clicks that turn up the next line of three cards, each painted before the next.
    auto* w = qobject_cast<TWinKarten*>(main->windows().WinKarten);
    w->show();
    w->udAnzahl->setValue(10000);
    w->udZeile->setValue(3);
    QApplication::processEvents();
    w->bStartStop->click();
    QApplication::processEvents();
    std::vector<double> advances;
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(w->pcKarte1, Qt::LeftButton);
        QApplication::processEvents();
        advances.push_back(timer.nsecsElapsed() / 1000.0);
    }
    w->bStartStop->click();

    report("cards_advance_us", median(advances), "us", 1000);
    report("card_store_ms", median(fills), "ms", 20);
    return 0;
}
