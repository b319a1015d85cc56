// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/win_meisterschaft.h"

#include "core/app_context.h"
#include "core/error_handler.h"
#include "training/settings_key.h"
#include "widgets/format_choice.h"
#include "widgets/up_down_edit.h"
#include "widgets/window_helpers.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString SettingsWord = QStringLiteral("Meisterschaft");
constexpr qint32 GermanOnly = 0;

} // namespace

TWinMeisterschaft::TWinMeisterschaft(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinMeisterschaft"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Einstellungen Meisterschaft"));
    setWindowModality(Qt::WindowModal);
    setFont(PixelFont(11, false));
    setFixedSize(292, 228);
    buildControls();
    RunGuarded(ctx_.dialogs, [this] { FormCreate(); });
}

void TWinMeisterschaft::buildControls()
{
    labFormat = new QLabel(QStringLiteral("Format"), this);
    labFormat->setGeometry(14, 14, 120, 24);
    cbFormat = new TFormatChoice(ctx_, CardsMemo, this, GermanOnly);
    cbFormat->setGeometry(138, 14, 146, 24);
    labFormat->setBuddy(cbFormat);
    cbFormat->fill = [this](const AttemptRecord::Setting& format) {
        RunGuarded(ctx_.dialogs, [this, format] { cbFormatChoose(format); });
    };

    int y = 46;
    const auto row = [this, &y](QLabel*& label, const char* caption, TUpDownEdit*& spin, QLabel** unit) {
        label = new QLabel(QString::fromUtf8(caption), this);
        label->setGeometry(14, y, 120, 24);
        spin = new TUpDownEdit(this);
        spin->setGeometry(138, y, 80, 24);
        label->setBuddy(spin);
        if (unit) {
            *unit = new QLabel(QStringLiteral("in Minuten"), this);
            (*unit)->setGeometry(224, y, 66, 24);
        }
        y += 32;
    };
    row(labAnzahl, "Anzahl Karten", udAnzahl, nullptr);
    row(labZeile, "Anzahl pro Zeile", udZeile, nullptr);
    row(labMemoZeit, "Memorierzeit", udMemoZeit, &labMemoMinuten);
    row(labReplay, "Wiedergabezeit", udReplay, &labReplayMinuten);
    udAnzahl->setUp(1, 10000, 2, DefaultCount);
    udZeile->setUp(1, 3, 1, DefaultPerLine);
    udMemoZeit->setUp(1, 600, 1, DefaultMemoMinutes);
    udReplay->setUp(1, 600, 1, DefaultRecallMinutes);

    bOK = new QPushButton(QStringLiteral("&OK"), this);
    bOK->setGeometry(84, 186, 96, 28);
    bOK->setDefault(true);
    bAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    bAbbrechen->setGeometry(186, 186, 96, 28);
    connect(bOK, &QPushButton::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { bOKClick(); }); });
    connect(bAbbrechen, &QPushButton::clicked, this, [this] { bAbbrechenClick(); });

    for (TUpDownEdit* spin : {udAnzahl, udZeile, udMemoZeit, udReplay})
        connect(spin, &QSpinBox::valueChanged, this, [this] { cbFormat->showSetting(setting()); });

    SetObjectNames({{labFormat, "labFormat"}, {cbFormat, "cbFormat"}, {labAnzahl, "labAnzahl"},
                    {udAnzahl, "udAnzahl"}, {labZeile, "labZeile"}, {udZeile, "udZeile"},
                    {labMemoZeit, "labMemoZeit"}, {udMemoZeit, "udMemoZeit"}, {labMemoMinuten, "labMemoMinuten"},
                    {labReplay, "labReplay"}, {udReplay, "udReplay"}, {labReplayMinuten, "labReplayMinuten"},
                    {bOK, "bOK"}, {bAbbrechen, "bAbbrechen"}});
    UpdateAccessibleNames(this);
}

void TWinMeisterschaft::FormCreate()
{
    const QString file = ctx_.settingsFile();
    const QString section = QStringLiteral("Korvanis");
    const std::pair<TUpDownEdit*, const char*> spins[] = {
        {udAnzahl, "Anzahl"}, {udZeile, "Zeile"}, {udMemoZeit, "Memorierzeit"}, {udReplay, "Wiedergabezeit"}};
    for (const auto& [spin, what] : spins)
        settings_.emplace_back(spin, SettingValue<int>(file, section, SettingsKey(SettingsWord, what), spin->value()));
    // Written only when the user confirms: a start writes nothing of a window
    // that was never used.
    for (SpinSetting& s : settings_)
        s.read();
    before_ = values();
    cbFormat->showSetting(setting());
}

std::vector<int> TWinMeisterschaft::values() const
{
    return {udAnzahl->value(), udZeile->value(), udMemoZeit->value(), udReplay->value()};
}

AttemptRecord::Setting TWinMeisterschaft::setting() const
{
    AttemptRecord::Setting s;
    s.count = udAnzahl->value();
    s.perLine = udZeile->value();
    s.memoMinutes = udMemoZeit->value();
    s.recallMinutes = udReplay->value();
    return s;
}

void TWinMeisterschaft::showSettings()
{
    before_ = values();
    udAnzahl->setFocus();
    udAnzahl->selectAll();
    open();
}

void TWinMeisterschaft::bOKClick()
{
    // A value typed but not yet taken by its spin button counts as shown.
    for (TUpDownEdit* spin : {udAnzahl, udZeile, udMemoZeit, udReplay})
        spin->interpretText();
    before_ = values();
    accept();
    for (SpinSetting& s : settings_)
        s.write();
}

void TWinMeisterschaft::cbFormatChoose(const AttemptRecord::Setting& format)
{
    udAnzahl->setValue(format.count.value_or(udAnzahl->value()));
    udMemoZeit->setValue(format.memoMinutes.value_or(udMemoZeit->value()));
    udReplay->setValue(format.recallMinutes.value_or(udReplay->value()));
}

void TWinMeisterschaft::bAbbrechenClick()
{
    reject();
}

void TWinMeisterschaft::reject()
{
    TUpDownEdit* spins[] = {udAnzahl, udZeile, udMemoZeit, udReplay};
    for (std::size_t i = 0; i < before_.size(); ++i)
        spins[i]->setValue(before_[i]);
    QDialog::reject();
}
