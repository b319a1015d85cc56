// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/spoken_settings.h"

#include "core/app_context.h"
#include "core/disciplines.h"
#include "training/settings_key.h"
#include "widgets/format_choice.h"
#include "widgets/remembered_page.h"
#include "widgets/spin_setting.h"
#include "widgets/training_dialog.h"
#include "widgets/up_down_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

TSpokenSettings::TSpokenSettings(TTrainingDialog& window, QWidget* page)
{
    const auto label = [page](const QString& text, int y) {
        auto* l = new QLabel(text, page);
        l->setGeometry(8, y, 128, 15);
        return l;
    };
    const auto spin = [page](int min, int max, int step, int value, int y) {
        auto* ud = new TUpDownEdit(page);
        ud->setUp(min, max, step, value);
        ud->setGeometry(8, y, 104, 22);
        return ud;
    };
    labAnzahlM = label(QStringLiteral("Anzahl Zahlen"), 12);
    udAnzahlM = spin(1, 1000, 100, 100, 28);
    labMemoZeit = label(QStringLiteral("Zeittakt in msek."), 64);
    udMemoZeit = spin(500, 10000, 100, 3000, 80);
    // A pulse reads as a plain number of milliseconds.
    udMemoZeit->setGroupSeparatorShown(false);
    labReplay = label(QStringLiteral("Wiedergabezeit"), 116);
    udReplay = spin(1, 10000, 5, 5, 132);

    rbGerman = new QRadioButton(QStringLiteral("Deutsch"), page);
    rbGerman->setGeometry(8, 172, 128, 18);
    rbGerman->setChecked(true);
    rbEnglisch = new QRadioButton(QStringLiteral("Englisch"), page);
    rbEnglisch->setGeometry(8, 194, 128, 18);

    labFormat = label(QStringLiteral("Format"), 214);
    cbFormat = new TFormatChoice(window.context(), SpokenNumbers, page);
    cbFormat->setGeometry(8, 230, 128, 22);
    chbMerken = new QCheckBox(QStringLiteral("Werte merken"), page);
    chbMerken->setGeometry(8, 306, 128, 18);
    rememberValues(window);
}

void TSpokenSettings::rememberValues(TTrainingDialog& window)
{
    const auto key = [](const char* what) { return SettingsKey("Spoken", what); };
    std::vector<std::unique_ptr<RememberedSetting>> values;
    values.push_back(std::make_unique<SpinSetting>(udAnzahlM, window.settingValue(key("Anzahl"), udAnzahlM->value())));
    values.push_back(
        std::make_unique<SpinSetting>(udMemoZeit, window.settingValue(key("Takt"), udMemoZeit->value())));
    values.push_back(std::make_unique<SpinSetting>(udReplay, window.settingValue(key("Wiedergabe"), udReplay->value())));
    values.push_back(std::make_unique<ButtonSetting>(rbEnglisch, rbGerman, window.settingValue(key("Englisch"), 0)));
    window.remember(std::make_unique<RememberedPage>(chbMerken, window.settingValue(key("Merken"), 0), std::move(values)));
}

AttemptRecord::Setting TSpokenSettings::setting(TUpDownEdit* sender, int newValue) const
{
    const auto value = [&](TUpDownEdit* spin) { return sender == spin ? newValue : spin->value(); };
    AttemptRecord::Setting s;
    s.count = value(udAnzahlM);
    s.pulseMs = value(udMemoZeit);
    s.recallMinutes = value(udReplay);
    return s;
}

void TSpokenSettings::fill(const AttemptRecord::Setting& format)
{
    udAnzahlM->setValue(format.count.value_or(udAnzahlM->value()));
    udMemoZeit->setValue(format.pulseMs.value_or(udMemoZeit->value()));
    udReplay->setValue(format.recallMinutes.value_or(udReplay->value()));
}

void TSpokenSettings::setEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{udAnzahlM, udMemoZeit, udReplay, cbFormat, chbMerken})
        control->setEnabled(enabled);
}
