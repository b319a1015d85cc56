#include "widgets/training_dialog.h"

#include "core/app_context.h"
#include "records/record_lookup.h"
#include "widgets/double_click_guard.h"
#include "widgets/window_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QShortcut>

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
    // The second click of a double click would act on the step the first one
    // began: recall before a digit was seen, a run broken off at once.
    DoubleClickGuard::install(button);
    const auto guardedPress = [this, press] { guarded(press); };
    for (const QKeySequence& keys : StartStopKeys()) {
        auto* shortcut = new QShortcut(keys, this);
        // A held key would step through the whole attempt.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, guardedPress);
    }
    connect(button, &QAbstractButton::clicked, this, guardedPress);
}

void TTrainingDialog::rememberSpin(TUpDownEdit* spin, const QString& key, int defaultValue)
{
    spinSettings_.emplace_back(spin, SettingValue<int>(ctx_.settingsFile(), QStringLiteral("Korvanis"), key,
                                                       defaultValue));
}

void TTrainingDialog::readSettings()
{
    for (SpinSetting& setting : spinSettings_)
        setting.read();
    writeSettings();
}

void TTrainingDialog::writeSettings()
{
    for (SpinSetting& setting : spinSettings_)
        setting.write();
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
    guarded([this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TTrainingDialog::done(int result)
{
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TTrainingDialog::keyPressEvent(QKeyEvent* event)
{
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
