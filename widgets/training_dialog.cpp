// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/training_dialog.h"

#include "core/app_context.h"
#include "records/record_lookup.h"
#include "widgets/start_stop_guard.h"
#include "widgets/window_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScopeGuard>
#include <QShortcut>
#include <QStackedWidget>

#include <algorithm>

TTrainingDialog::TTrainingDialog(AppContext& ctx, const char* objectName, const QString& caption, QWidget* parent)
    : QDialog(parent), ctx_(ctx)
{
    setObjectName(QLatin1String(objectName));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(caption);
    setFont(PixelFont(11, false));
}

void TTrainingDialog::bindStartStop(QAbstractButton* button, std::function<void()> press)
{
    // A second press meant as part of the first would act on the step the first
    // one began: recall before a digit was seen, a run broken off at once. The
    // mouse and the keys share one guard, so no mix of them slips through.
    auto* guard = new StartStopGuard(button, ctx_.tickSource);
    const auto guardedPress = [this, press] { guarded(press); };
    for (const QKeySequence& keys : StartStopKeys()) {
        auto* shortcut = new QShortcut(keys, this);
        // A held key would step through the whole attempt.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, [guard, guardedPress] {
            if (guard->admit())
                guardedPress();
        });
    }
    connect(button, &QAbstractButton::clicked, this, guardedPress);

    // The keys are shown beside the button, not only in its tooltip, so that a
    // user who never points at it finds them.
    startKeys_ = new QLabel(button->parentWidget());
    startKeys_->setObjectName(QStringLiteral("labStartKeys"));
    startKeys_->setGeometry(button->x(), button->y() - 17, button->width(), 15);
    startKeys_->setAlignment(Qt::AlignCenter);
    QFont small = font();
    small.setPixelSize(10);
    startKeys_->setFont(small);
    showStartKeys();
}

void TTrainingDialog::showStartKeys()
{
    if (startKeys_)
        startKeys_->setText(ctx_.InterfaceText(500, QStringLiteral("Tasten: Strg+Eingabe")));
}

SettingValue<int> TTrainingDialog::settingValue(const QString& key, int defaultValue) const
{
    return SettingValue<int>(ctx_.settingsFile(), QStringLiteral("Korvanis"), key, defaultValue);
}

void TTrainingDialog::rememberSpin(TUpDownEdit* spin, const QString& key, int defaultValue)
{
    remember(std::make_unique<SpinSetting>(spin, settingValue(key, defaultValue)));
}

void TTrainingDialog::remember(std::unique_ptr<RememberedSetting> setting)
{
    settings_.push_back(std::move(setting));
}

void TTrainingDialog::readSettings()
{
    for (const auto& setting : settings_)
        setting->read();
    writeSettings();
}

void TTrainingDialog::writeSettings()
{
    for (const auto& setting : settings_)
        setting->write();
}

QString TTrainingDialog::recordQuestion() const
{
    return ctx_.InterfaceText(160, QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?"));
}

bool TTrainingDialog::concludeAttempt(AttemptRecord& attempt, const Discipline& discipline, bool offer)
{
    const auto report = qScopeGuard([&] { ctx_.recordAttempt(attempt); });
    if (!offer || !ctx_.dialogs.askYesNo(recordQuestion()))
        return false;
    StoreRecordOf(ctx_.DBDaten, discipline, attempt);
    attempt.savedAsRecord = true;
    return true;
}

void TTrainingDialog::repaintNow()
{
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TTrainingDialog::showEvent(QShowEvent* event)
{
    showStartKeys();
    guarded([this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TTrainingDialog::done(int result)
{
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

namespace {

// The part of the window a control lies in: its group box, else the page of the
// page control, else the window.
QWidget* paneOf(QWidget* control, QWidget* window)
{
    for (QWidget* w = control; w && w != window; w = w->parentWidget()) {
        if (qobject_cast<QGroupBox*>(w))
            return w;
        if (w->parentWidget() && qobject_cast<QStackedWidget*>(w->parentWidget()))
            return w;
    }
    return window;
}

} // namespace

void TTrainingDialog::cyclePanes(bool forward)
{
    QList<QWidget*> controls;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (w->window() == this && w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            controls << w;
    }
    if (controls.isEmpty())
        return;
    if (!forward)
        std::reverse(controls.begin(), controls.end());
    QWidget* focus = focusWidget();
    const int at = controls.indexOf(focus);
    QWidget* here = focus ? paneOf(focus, this) : nullptr;
    for (int step = 1; step <= controls.size(); ++step) {
        QWidget* candidate = controls.at((std::max(at, 0) + step) % controls.size());
        QWidget* pane = paneOf(candidate, this);
        if (pane == here)
            continue;
        // Backwards, a pane is entered at its first control as well.
        if (!forward) {
            for (QWidget* c : std::as_const(controls)) {
                if (paneOf(c, this) == pane)
                    candidate = c;
            }
        }
        candidate->setFocus(Qt::TabFocusReason);
        return;
    }
}

void TTrainingDialog::keyPressEvent(QKeyEvent* event)
{
    const bool ctrlTab = (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && (event->modifiers() & Qt::ControlModifier);
    if (event->key() == Qt::Key_F6 || ctrlTab) {
        const bool back = event->modifiers() & Qt::ShiftModifier || event->key() == Qt::Key_Backtab;
        cyclePanes(!back);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
