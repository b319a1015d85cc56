// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "app/main_win.h"
#include "tests/support/fakes.h"

#include <QEvent>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>

class QWidget;

// One start of the program in a program folder with the fake services: the main
// window and every window it creates, as the program makes them.
std::unique_ptr<TMainWin> StartProgram(FakeServices& services, const TempProgramDir& dir);

// What every window test begins with: fresh fake services, a fresh program
// folder (set up first by prepare, when given) and the program started there,
// with the window of that object name to drive.
template <class Window>
struct WindowSession {
    explicit WindowSession(QString windowName, const std::function<void(const TempProgramDir&)>& prepare = {})
        : name(std::move(windowName))
    {
        if (prepare)
            prepare(dir);
        restart();
    }
    // A new start in the same folder with the same services.
    void restart()
    {
        win = nullptr;
        main.reset();
        main = StartProgram(services, dir);
        win = main->findChild<Window*>(name);
    }
    AppContext& context() const { return main->context(); }
    RecordsTable& records() const { return main->context().DBDaten; }

    QString name;
    FakeServices services;
    TempProgramDir dir;
    std::unique_ptr<TMainWin> main;
    Window* win = nullptr;
};

// Mouse events as the window system delivers them, each with the time stamp
// given, sent to the middle of the widget: a double click arrives as press,
// release, double click, release.
void SendMouse(QWidget* widget, std::initializer_list<QEvent::Type> types, quint64 timestamp = 0,
               Qt::MouseButton button = Qt::LeftButton);

// A key event as the window system delivers it: a press first offered to the
// shortcuts (and not delivered when one takes it), then to the widget; flagged
// as auto-repeat or not, with the time stamp given.
void SendKey(QWidget* widget, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             bool autoRepeat = false, quint64 timestamp = 0);
// A key held down as X delivers it: the first press, then `repeats` times a
// release and a press with one time stamp, every third pair flagged, 33 ms apart;
// the key stays down.
void HoldKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, int repeats, quint64 from);
