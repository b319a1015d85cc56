// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/numbers_memo_page.h"

#include "core/app_context.h"
#include "numbers/memo_page.h"
#include "numbers/memo_sheets.h"
#include "numbers/numbers_window_constants.h"
#include "numbers/sheet_view_choice.h"
#include "training/settings_key.h"
#include "widgets/format_choice.h"
#include "widgets/remembered_page.h"
#include "widgets/result_column.h"
#include "widgets/rule_table.h"
#include "widgets/spin_setting.h"
#include "widgets/string_align_grid.h"
#include "widgets/training_dialog.h"
#include "widgets/up_down_edit.h"
#include "widgets/win_wait.h"
#include "widgets/window_helpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Below the sheets and the left column's last control, the table of rule sets.
constexpr int TableTop = 330;

} // namespace

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

    labFormat = label(QStringLiteral("Format"), 212);
    cbFormat = new TFormatChoice(window.context(), k_.memoCode, page);
    cbFormat->setGeometry(8, 228, 128, 22);
    cbFormat->fill = [this](const AttemptRecord::Setting& format) {
        window_.guarded([this, format] { cbFormatChoose(format); });
    };
    labFormat->setBuddy(cbFormat);

    chbMerken = new QCheckBox(QStringLiteral("Werte merken"), page);
    chbMerken->setGeometry(8, 306, 130, 18);
    rememberValues();

    sheets = new TMemoSheets(page, QRect(140, 4, 616, 280), window.font(), k_.rowWidth, k_.jumpWidth,
                             k_.NoLimitCount);
    view = new TSheetViewChoice(window, sheets, page, QRect(8, 256, 128, 22), k_.settingsWord);
    ruleTable = new TRuleTable(window.context(), page);
    ruleTable->setGeometry(8, TableTop, 748, TRuleTable::Height);
    SetObjectNames({{labFormat, "labFormat"}, {cbFormat, "cbFormat"}, {ruleTable, "tbRegelwerke"}});
}

int TNumbersMemoPage::tableHeight()
{
    return TableTop - 290 + TRuleTable::Height + 8;
}

void TNumbersMemoPage::applyTexts()
{
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

void TNumbersMemoPage::rememberValues()
{
    const auto key = [this](const char* what) { return SettingsKey(k_.settingsWord, what); };
    std::vector<std::unique_ptr<RememberedSetting>> values;
    values.push_back(std::make_unique<ButtonSetting>(rbLimit, rbNoLimit, window_.settingValue(key("Memo Limit"), 0)));
    values.push_back(std::make_unique<SpinSetting>(udAnzahlM, window_.settingValue(key("Memo Anzahl"), k_.anzahlM.value)));
    values.push_back(std::make_unique<SpinSetting>(udMemoZeit, window_.settingValue(key("Memo Zeit"), k_.memoZeit.value)));
    values.push_back(std::make_unique<SpinSetting>(udReplay, window_.settingValue(key("Memo Wiedergabe"), k_.replay.value)));
    window_.remember(std::make_unique<RememberedPage>(chbMerken, window_.settingValue(key("Merken"), 0),
                                                      std::move(values)));
}

void TNumbersMemoPage::rbNoLimitClick()
{
    followLimitChoice();
    attempt->refreshPointsRecord();
}

void TNumbersMemoPage::followLimitChoice()
{
    udAnzahlM->setEnabled(rbLimit->isChecked());
}

void TNumbersMemoPage::setSettingsEnabled(bool enabled)
{
    rbNoLimit->setEnabled(enabled);
    rbLimit->setEnabled(enabled);
    chbMerken->setEnabled(enabled);
    view->setEnabled(enabled);
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
