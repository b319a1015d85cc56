#include "numbers/numbers_memo_page.h"

#include "core/app_context.h"
#include "numbers/memo_page.h"
#include "numbers/memo_sheets.h"
#include "numbers/numbers_window_constants.h"
#include "widgets/format_choice.h"
#include "widgets/result_column.h"
#include "widgets/rule_table.h"
#include "widgets/string_align_grid.h"
#include "widgets/training_dialog.h"
#include "widgets/up_down_edit.h"
#include "widgets/win_wait.h"
#include "widgets/window_helpers.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TNumbersMemoPage::TNumbersMemoPage(TTrainingDialog& window, const NumbersWindowConstants& constants, QWidget* page)
    : QObject(page), window_(window), k_(constants)
{
    rbNoLimit = new QRadioButton(QStringLiteral("ohne Limit"), page);
    rbNoLimit->setGeometry(8, 12, 130, 18);
    rbNoLimit->setChecked(true);
    rbLimit = new QRadioButton(QStringLiteral("limitiert"), page);
    rbLimit->setGeometry(8, 34, 130, 18);

    const auto spin = [page](const NumbersWindowConstants::Spin& s, int y) {
        auto* ud = new TUpDownEdit(page);
        ud->setUp(s.min, s.max, s.step, s.value);
        ud->setGeometry(8, y, 104, 22);
        return ud;
    };
    const auto label = [page](const QString& text, int y) {
        auto* l = new QLabel(text, page);
        l->setGeometry(8, y, 128, 15);
        return l;
    };
    lab4 = label(QString::fromUtf8(k_.countLabel), 66);
    udAnzahlM = spin(k_.anzahlM, 82);
    udAnzahlM->setEnabled(false);
    lab5 = label(QStringLiteral("Memorierzeit"), 118);
    udMemoZeit = spin(k_.memoZeit, 134);
    lab6 = label(QStringLiteral("Wiedergabezeit"), 170);
    udReplay = spin(k_.replay, 186);

    labFormat = label(QStringLiteral("Format"), 216);
    cbFormat = new TFormatChoice(window.context(), k_.memoCode, page);
    cbFormat->setGeometry(8, 232, 128, 22);
    cbFormat->fill = [this](const AttemptRecord::Setting& format) {
        window_.guarded([this, format] { cbFormatChoose(format); });
    };
    labFormat->setBuddy(cbFormat);

    sheets = new TMemoSheets(page, QRect(140, 4, 616, 280), window.font(), k_.rowWidth, k_.jumpWidth,
                             k_.NoLimitCount);
    ruleTable = new TRuleTable(window.context(), page);
    ruleTable->setGeometry(8, 290, 748, TRuleTable::Height);
    SetObjectNames({{labFormat, "labFormat"}, {cbFormat, "cbFormat"}, {ruleTable, "tbRegelwerke"}});
}

int TNumbersMemoPage::tableHeight()
{
    return TRuleTable::Height + 8;
}

void TNumbersMemoPage::applyTexts()
{
    labFormat->setText(window_.context().InterfaceText(461, QStringLiteral("Format")));
    cbFormat->applyTexts();
    ruleTable->applyTexts();
}

void TNumbersMemoPage::attach(const ResultColumn& column, QTimer* tZehntel)
{
    attempt = new TMemoPage(window_, DisciplineOf(k_.memoCode),
                            {sheets, column.bStartStop, column.pErgeb, column.pPunkteRekord, column.pPunkte,
                             column.pZiffern, column.bChange, tZehntel});
    attempt->setting = [this](TUpDownEdit* sender, int newValue) { return setting(sender, newValue); };
    attempt->setSettingsEnabled = [this, bClose = column.bClose](bool enabled) {
        setSettingsEnabled(enabled);
        bClose->setEnabled(enabled);
    };
    attempt->refreshOnSteps({udAnzahlM, udMemoZeit, udReplay});
    attempt->setRuleTable(ruleTable);
    // The drop-down names the format the spin buttons stand at, or none.
    attempt->settingShown = [this](const AttemptRecord::Setting& s) {
        AttemptRecord::Setting format = s;
        if (rbNoLimit->isChecked())
            format.count.reset();
        cbFormat->showSetting(format);
    };
}

void TNumbersMemoPage::cbFormatChoose(const AttemptRecord::Setting& format)
{
    if (attempt->phase() != ScoredAttempt::Idle)
        return;
    rbLimit->setChecked(format.count.has_value());
    rbNoLimit->setChecked(!format.count);
    if (format.count)
        udAnzahlM->setValue(*format.count);
    udMemoZeit->setValue(format.memoMinutes.value_or(udMemoZeit->value()));
    udReplay->setValue(format.recallMinutes.value_or(udReplay->value()));
    rbNoLimitClick();
}

void TNumbersMemoPage::startStop()
{
    switch (attempt->phase()) {
    case ScoredAttempt::Idle:
        startMemorising();
        break;
    case ScoredAttempt::Memorising:
        attempt->startRecalling(TMemoPage::RecallFrom::MemoCursor);
        break;
    case ScoredAttempt::Recalling:
        attempt->endRecalling();
        break;
    }
}

void TNumbersMemoPage::startMemorising()
{
    attempt->begin(sheets->sgMemo);
    const bool wasActive = window_.isActiveWindow();
    const AppContext& ctx = window_.context();
    if (waitWindow_) {
        waitWindow_->lNachricht->setText(ctx.InterfaceText(161, QStringLiteral("Zahlen werden vorbereitet ...")));
        waitWindow_->show();
        TTrainingDialog::repaintNow();
    }
    attempt->prepare(*setting(nullptr, 0).count, true, TTrainingDialog::repaintNow);
    if (waitWindow_)
        waitWindow_->hide();
    // Some window systems hand the activation to the wait window and leave it
    // nowhere when that goes; the keys of the attempt must reach this window.
    if (wasActive && !window_.isActiveWindow())
        window_.activateWindow();
    TTrainingDialog::repaintNow();
    sheets->sgMemo->setFocus();
    attempt->startMemorising();
}

void TNumbersMemoPage::rbNoLimitClick()
{
    udAnzahlM->setEnabled(rbLimit->isChecked());
    attempt->refreshPointsRecord();
}

void TNumbersMemoPage::setSettingsEnabled(bool enabled)
{
    rbNoLimit->setEnabled(enabled);
    rbLimit->setEnabled(enabled);
    udAnzahlM->setEnabled(enabled && rbLimit->isChecked());
    udMemoZeit->setEnabled(enabled);
    udReplay->setEnabled(enabled);
    cbFormat->setEnabled(enabled);
}

AttemptRecord::Setting TNumbersMemoPage::setting(TUpDownEdit* sender, int newValue) const
{
    const auto value = [&](TUpDownEdit* spin) { return sender == spin ? newValue : spin->value(); };
    AttemptRecord::Setting s;
    s.count = rbNoLimit->isChecked() ? k_.NoLimitCount : value(udAnzahlM);
    s.memoMinutes = value(udMemoZeit);
    s.recallMinutes = value(udReplay);
    return s;
}
