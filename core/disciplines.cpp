// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/disciplines.h"

#include "core/app_context.h"

#include <stdexcept>

namespace {

using namespace SettingField;

constexpr quint8 PictureSettings = Count | PerLine;
constexpr quint8 SheetSettings = Count | MemoMinutes | RecallMinutes;
constexpr quint8 SpokenSettings = Count | Pulse | RecallMinutes;
constexpr quint8 DealtSettings = Count | PerLine | MemoMinutes | RecallMinutes;

} // namespace

const std::vector<Discipline>& AllDisciplines()
{
    // In the order of the training menu: each window's picture run, then its
    // memorisation, then the windows without a picture page.
    static const std::vector<Discipline> disciplines = {
        {NumbersPicture, DisciplineKind::PictureRun, Presentation::Flashed, ScoringKind::None, 183,
         "Zahlen – Bildertraining", 10, PictureSettings},
        {NumbersMemo, DisciplineKind::ScoredAttempt, Presentation::Sheet, ScoringKind::Championship, 186,
         "Zahlen – Memorieren", 10, SheetSettings},
        {BinaryPicture, DisciplineKind::PictureRun, Presentation::Flashed, ScoringKind::None, 184,
         "Binärzahlen – Bildertraining", 2, PictureSettings},
        {BinaryMemo, DisciplineKind::ScoredAttempt, Presentation::Sheet, ScoringKind::Championship, 187,
         "Binärzahlen – Memorieren", 2, SheetSettings},
        {CardsPicture, DisciplineKind::PictureRun, Presentation::Flashed, ScoringKind::None, 185, "Spielkarten", 52,
         PictureSettings},
        {CardsMemo, DisciplineKind::ScoredAttempt, Presentation::Dealt, ScoringKind::SpeedCards, 310,
         "Spielkarten – Memorieren", 52, DealtSettings},
        {SpokenNumbers, DisciplineKind::ScoredAttempt, Presentation::Spoken, ScoringKind::FirstError, 188,
         "Gesprochene Zahlen", 10, SpokenSettings},
    };
    return disciplines;
}

const Discipline* FindDiscipline(int code)
{
    for (const Discipline& discipline : AllDisciplines()) {
        if (discipline.code == code)
            return &discipline;
    }
    return nullptr;
}

const Discipline& DisciplineOf(DisciplineCode code)
{
    if (const Discipline* discipline = FindDiscipline(code))
        return *discipline;
    throw std::logic_error("no discipline of code " + std::to_string(int(code)));
}

QString Discipline::displayName(const AppContext& ctx) const
{
    return ctx.InterfaceText(nameTextId, QString::fromUtf8(name));
}

QString DisciplineName(const AppContext& ctx, int code)
{
    if (const Discipline* discipline = FindDiscipline(code))
        return discipline->displayName(ctx);
    return ctx.InterfaceText(189, QStringLiteral("Disziplin %1")).arg(code);
}

ScoringKind Discipline::scoringOf(const AttemptRecord::Setting& setting) const
{
    if (scoring != ScoringKind::SpeedCards)
        return scoring;
    const bool oneDeck = setting.count.value_or(0) <= alphabetSize;
    const bool speed = setting.memoMinutes.value_or(0) <= SpeedCardsMinutes;
    return oneDeck && speed ? ScoringKind::SpeedCards : ScoringKind::CardDecks;
}

std::optional<PointsKeyTimes> Discipline::pointsKeyTimes(const AttemptRecord::Setting& setting) const
{
    if (isPictureRun() || !setting.recallMinutes)
        return std::nullopt;
    const double recall = *setting.recallMinutes * 60.0;
    // A spoken attempt has no memorisation limit: its pulse takes that place in
    // the key, in milliseconds.
    if (presentation == Presentation::Spoken)
        return setting.pulseMs ? std::optional(PointsKeyTimes{double(*setting.pulseMs), recall}) : std::nullopt;
    return setting.memoMinutes ? std::optional(PointsKeyTimes{*setting.memoMinutes * 60.0, recall}) : std::nullopt;
}
