// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/app_context.h"
#include "core/attempt_log.h"
#include "core/error_handler.h"
#include "widgets/spin_setting.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QLabel;
struct Discipline;

// The shell every training window shares. It sets the window up as a fixed
// dialog in the program's compact type; runs each handler and hook under the
// general error handler, so a failure shows its box and the window goes on;
// binds START/STOP to its button and to Ctrl+Return, one guard dropping
// a second press close after the first whichever way it came, and shows the keys
// over the button; keeps Escape and Enter from closing the window or pressing a
// button; runs FormShow at each showing and FormClose whichever way the window
// closes; remembers the spin buttons it is given in the settings file; and ends
// every attempt alike: the history hears of it whatever happens, and a record
// is offered with the record question and stored on yes.
class TTrainingDialog : public QDialog {
    Q_OBJECT

public:
    TTrainingDialog(AppContext& ctx, const char* objectName, const QString& caption, QWidget* parent);

    void done(int result) override;

    AppContext& context() const { return ctx_; }

    // The parts a window composes (its pages) use these as the window does.

    // Runs a handler under the general error handler.
    template <class Handler>
    void guarded(Handler&& handler)
    {
        RunGuarded(ctx_.dialogs, std::forward<Handler>(handler));
    }
    // A hook that answers whether it used its event, under the general error
    // handler: a hook that failed used nothing.
    template <class Hook>
    auto guardedHook(Hook hook)
    {
        return [this, hook](auto... args) {
            bool used = false;
            guarded([&] { used = hook(args...); });
            return used;
        };
    }
    // Connects a signal to a handler that runs guarded.
    template <class Sender, class Signal, class Handler>
    void onSignal(Sender* sender, Signal signal, Handler handler)
    {
        connect(sender, signal, this, [this, handler] { guarded(handler); });
    }

    // A spin button remembered under key of section "Korvanis", with the value
    // read when the file has none.
    void rememberSpin(TUpDownEdit* spin, const QString& key, int defaultValue);
    // A value of section "Korvanis" of the settings file.
    SettingValue<int> settingValue(const QString& key, int defaultValue) const;
    // Any control state kept in the settings file, read and written with the rest.
    void remember(std::unique_ptr<RememberedSetting> setting);
    // Every remembered spin button from the file, then each value it took back.
    void readSettings();
    void writeSettings();

    // The end of an attempt. The history hears of it however the record question
    // ends, even when the records table refuses the record and the error box
    // follows. With offer, the record question is asked and on yes the record is
    // stored under the discipline's key; true when it was stored.
    bool concludeAttempt(AttemptRecord& attempt, const Discipline& discipline, bool offer);

    // Paints what has changed while a preparation runs. A click arriving now
    // waits until the attempt is ready.
    static void repaintNow();

protected:
    // Each showing, before the window is placed on the screen.
    virtual void FormShow() {}
    // Each closing, before the window goes.
    virtual void FormClose() {}

    void bindStartStop(QAbstractButton* button, std::function<void()> press);
    // "Neuer Rekord! Wollen Sie ihn speichern?" in the interface language.
    virtual QString recordQuestion() const;

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    AppContext& ctx_;

private:
    void showStartKeys();
    // F6 and Ctrl+Tab: the focus to the next part of the window (the settings,
    // the sheets, the buttons), Shift backwards; a page control that has the
    // focus takes Ctrl+Tab for its pages first.
    void cyclePanes(bool forward);

    std::vector<std::unique_ptr<RememberedSetting>> settings_;
    QLabel* startKeys_ = nullptr;
};
