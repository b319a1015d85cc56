// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/verlauf_regelwerke.h"

#include "core/app_context.h"
#include "core/disciplines.h"
#include "history/history_store.h"
#include "history/history_texts.h"
#include "widgets/rule_table.h"

#include <QLabel>
#include <algorithm>

namespace {

constexpr int LeftWidth = 484;
constexpr int RightX = 492;
constexpr int RightWidth = 409;
constexpr int TableY = 17;

bool IsScored(int discipline)
{
    const Discipline* d = FindDiscipline(discipline);
    return d && !d->isPictureRun();
}

} // namespace

TVerlaufRegelwerke::TVerlaufRegelwerke(AppContext& ctx, HistoryStore& history, QWidget* parent)
    : QWidget(parent), ctx_(ctx), history_(history)
{
    setObjectName(QStringLiteral("pRegelwerke"));
    labVersuch = new QLabel(this);
    labVersuch->setGeometry(0, 0, LeftWidth, 15);
    tbVersuch = new TRuleTable(ctx_, this);
    tbVersuch->setGeometry(0, TableY, LeftWidth, TRuleTable::Height);
    labVersuchHinweis = new QLabel(this);
    labVersuchHinweis->setGeometry(0, TableY, LeftWidth, TRuleTable::Height);
    labVersuchHinweis->setWordWrap(true);
    labVersuchHinweis->setAlignment(Qt::AlignCenter);
    labVersuchHinweis->setFrameShape(QFrame::StyledPanel);

    labBeste = new QLabel(this);
    labBeste->setGeometry(RightX, 0, RightWidth, 15);
    tbBeste = new TRuleTable(ctx_, this);
    tbBeste->setGeometry(RightX, TableY, RightWidth, TRuleTable::Height);
    labBesteStand = new QLabel(this);
    labBesteStand->setGeometry(RightX, TableY + TRuleTable::Height + 2, RightWidth, 15);
    labBeste->setBuddy(tbBeste);
    labVersuch->setBuddy(tbVersuch);
    const std::pair<QWidget*, const char*> names[] = {{labVersuch, "labVersuch"}, {tbVersuch, "tbVersuch"},
                                                      {labVersuchHinweis, "labVersuchHinweis"},
                                                      {labBeste, "labBeste"}, {tbBeste, "tbBeste"},
                                                      {labBesteStand, "labBesteStand"}};
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));
    ApplyInterfaceTexts();
}

TVerlaufRegelwerke::~TVerlaufRegelwerke() = default;

QString TVerlaufRegelwerke::text(int id, const char* german) const
{
    return ctx_.InterfaceText(id, QString::fromUtf8(german));
}

void TVerlaufRegelwerke::ApplyInterfaceTexts()
{
    labVersuch->setText(text(435, "Gewählter Versuch unter jedem Regelwerk"));
    labBeste->setText(text(440, "Bestes unter jedem Regelwerk"));
    tbVersuch->applyTexts();
    tbBeste->applyTexts();
    tbVersuch->setAccessibleName(labVersuch->text());
    tbBeste->setAccessibleName(labBeste->text());
    // The names of the rule sets and the notes are in the language they were
    // made in: show them again in the new one.
    showSelected(selected_);
    if (discipline_ >= 0 && languageRead_ != ctx_.Language)
        showSetting(discipline_, settingAttempts_);
}

void TVerlaufRegelwerke::showNote(const QString& note)
{
    tbVersuch->clearResults();
    tbVersuch->hide();
    labVersuchHinweis->setText(note);
    labVersuchHinweis->show();
}

void TVerlaufRegelwerke::showSelected(const std::vector<StoredAttempt>& selected)
{
    selected_ = selected;
    if (selected.empty() ? !scoredDiscipline_ : !IsScored(selected.front().attempt.discipline)) {
        showNote(text(447, "Diese Disziplin hat keine Regelwerke"));
        return;
    }
    if (selected.size() != 1) {
        showNote(text(441, "Einen Versuch wählen, um ihn unter jedem Regelwerk zu sehen"));
        return;
    }
    AttemptRecord withItems = selected.front().attempt;
    // A failed read is told by the store; here it leaves a note like a missing one.
    if (!history_.readItems(selected.front().id, withItems) && withItems.items.given.isEmpty()) {
        showNote(text(443, "Die Elemente konnten nicht gelesen werden."));
        return;
    }
    const std::optional<AttemptForRules> forRules = RuleSetBests::ForRules(withItems);
    if (!forRules) {
        showNote(text(439, "Ohne gespeicherte Elemente (ältere Version): nicht unter anderen Regelwerken darstellbar"));
        return;
    }
    labVersuchHinweis->hide();
    tbVersuch->show();
    tbVersuch->showAttempt(*forRules);
}

void TVerlaufRegelwerke::showSetting(int discipline, const std::vector<StoredAttempt>& attempts)
{
    reader_.stop();
    discipline_ = discipline;
    settingAttempts_ = attempts;
    tbBeste->clearResults();
    scoredDiscipline_ = IsScored(discipline);
    if (!scoredDiscipline_) {
        labBesteStand->setText(text(447, "Diese Disziplin hat keine Regelwerke"));
        return;
    }
    std::vector<StoredAttempt> counted;
    std::copy_if(attempts.begin(), attempts.end(), std::back_inserter(counted),
                 [](const StoredAttempt& a) { return a.mark == AttemptMark::Counted; });
    startReading(counted);
}

void TVerlaufRegelwerke::startReading(const std::vector<StoredAttempt>& attempts)
{
    toRead_ = int(attempts.size());
    showProgress(0);
    const HistoryConnection file = history_.readerConnection();
    const ChampionshipStandards standards = ctx_.standards;
    const qint32 language = ctx_.Language;
    languageRead_ = language;
    reader_.start([this, file, attempts, standards, language](const std::atomic<bool>& cancel,
                                                              const BackgroundReader::Deliver& deliver) {
        RuleSetBests bests(standards, language);
        bests.readFrom(file, attempts, cancel, [&](int read) { deliver([this, read] { showProgress(read); }); });
        if (cancel)
            return;
        Read result{bests.bests(), bests.scored(), bests.withoutItems(), bests.error()};
        deliver([this, result] { showBests(result); });
    });
}

void TVerlaufRegelwerke::hideEvent(QHideEvent* event)
{
    reader_.stop();
    QWidget::hideEvent(event);
}

void TVerlaufRegelwerke::showProgress(int read)
{
    labBesteStand->setText(text(445, "Wird gelesen: %1 von %2 Versuchen").arg(read).arg(toRead_));
}

void TVerlaufRegelwerke::showBests(const Read& read)
{
    std::vector<RuleSetResult> results;
    QStringList tips;
    for (const RuleSetBest& best : read.bests) {
        results.push_back(best.result);
        StoredAttempt of;
        of.started = best.started;
        tips << text(448, "Versuch vom %1").arg(CellText(ctx_, of, HistoryColumn::Started, CellStyle::Screen));
    }
    tbBeste->showResults(results, tips);
    if (!read.error.isEmpty())
        labBesteStand->setText(text(443, "Die Elemente konnten nicht gelesen werden.") + QLatin1Char(' ') + read.error);
    else if (read.scored == 0)
        labBesteStand->setText(text(444, "Keine gezählten Versuche mit gespeicherten Elementen"));
    else if (read.withoutItems == 0)
        labBesteStand->setText(text(446, "Versuche mit Elementen: %1").arg(read.scored));
    else
        labBesteStand->setText(text(442, "Versuche mit Elementen: %1, ohne (ältere Version): %2")
                                   .arg(read.scored)
                                   .arg(read.withoutItems));
}
