// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/verlauf_marks.h"

#include "core/app_context.h"
#include "core/error_handler.h"
#include "history/history_store.h"

#include <QCheckBox>
#include <QPushButton>

TVerlaufMarks::TVerlaufMarks(AppContext& ctx, HistoryStore& history,
                             std::function<std::vector<StoredAttempt>()> chosen, QWidget* parent)
    : QWidget(parent), ctx_(ctx), history_(history), chosen_(std::move(chosen))
{
    bMarkieren = new QPushButton(this);
    bMarkieren->setGeometry(0, 0, 118, 26);
    bLoeschen = new QPushButton(this);
    bLoeschen->setGeometry(122, 0, 112, 26);
    bRueckgaengig = new QPushButton(this);
    bRueckgaengig->setGeometry(238, 0, 100, 26);
    cbGeloeschte = new QCheckBox(this);
    cbGeloeschte->setGeometry(346, 0, 138, 26);
    bMarkieren->setObjectName(QStringLiteral("bMarkieren"));
    bLoeschen->setObjectName(QStringLiteral("bLoeschen"));
    bRueckgaengig->setObjectName(QStringLiteral("bRueckgaengig"));
    cbGeloeschte->setObjectName(QStringLiteral("cbGeloeschte"));
    for (QPushButton* b : {bMarkieren, bLoeschen, bRueckgaengig})
        b->setAutoDefault(false);

    connect(bMarkieren, &QPushButton::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { bMarkierenClick(); }); });
    connect(bLoeschen, &QPushButton::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { bLoeschenClick(); }); });
    connect(bRueckgaengig, &QPushButton::clicked, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { bRueckgaengigClick(); }); });
    connect(cbGeloeschte, &QCheckBox::toggled, this, &TVerlaufMarks::showDeletedChanged);
    ApplyInterfaceTexts();
}

bool TVerlaufMarks::showDeleted() const
{
    return cbGeloeschte->isChecked();
}

void TVerlaufMarks::ApplyInterfaceTexts()
{
    bRueckgaengig->setText(ctx_.InterfaceText(364, QStringLiteral("&Rückgängig")));
    cbGeloeschte->setText(ctx_.InterfaceText(365, QStringLiteral("&Gelöschte zeigen")));
    refreshButtons();
}

void TVerlaufMarks::refreshButtons()
{
    // Each button says what it will do to the selection: a second press takes
    // its mark off again.
    const std::vector<StoredAttempt> chosen = chosen_();
    const bool marking = MarkUndo::Toggled(chosen, AttemptMark::Marked) == AttemptMark::Marked;
    const bool deleting = MarkUndo::Toggled(chosen, AttemptMark::Deleted) == AttemptMark::Deleted;
    bMarkieren->setText(marking ? ctx_.InterfaceText(360, QStringLiteral("&Nicht zählen"))
                                : ctx_.InterfaceText(361, QStringLiteral("Wieder &zählen")));
    bLoeschen->setText(deleting ? ctx_.InterfaceText(362, QStringLiteral("&Löschen"))
                                : ctx_.InterfaceText(363, QStringLiteral("Wieder&herstellen")));
    const bool can = history_.canMark() && !chosen.empty();
    bMarkieren->setEnabled(can);
    bLoeschen->setEnabled(can);
    bRueckgaengig->setEnabled(history_.canMark() && undo_.canUndo());
    for (QWidget* w : {static_cast<QWidget*>(bMarkieren), static_cast<QWidget*>(bLoeschen),
                       static_cast<QWidget*>(bRueckgaengig), static_cast<QWidget*>(cbGeloeschte)}) {
        QString name = w == cbGeloeschte ? cbGeloeschte->text() : static_cast<QPushButton*>(w)->text();
        w->setAccessibleName(name.remove(QLatin1Char('&')));
    }
}

void TVerlaufMarks::bMarkierenClick()
{
    toggle(AttemptMark::Marked);
}

void TVerlaufMarks::bLoeschenClick()
{
    toggle(AttemptMark::Deleted);
}

void TVerlaufMarks::toggle(AttemptMark mark)
{
    const std::vector<StoredAttempt> chosen = chosen_();
    std::vector<MarkChange> changes = MarkUndo::ChangesTo(chosen, MarkUndo::Toggled(chosen, mark));
    if (changes.empty() || !write(changes))
        return;
    undo_.done(std::move(changes));
    Q_EMIT marksChanged();
}

void TVerlaufMarks::bRueckgaengigClick()
{
    const std::vector<MarkChange> back = undo_.takeUndo();
    if (back.empty())
        return;
    if (!write(back)) {
        undo_.putBack(back);
        return;
    }
    Q_EMIT marksChanged();
}

bool TVerlaufMarks::write(const std::vector<MarkChange>& changes)
{
    const QString error = history_.setMarks(changes);
    if (error.isEmpty())
        return true;
    ctx_.dialogs.showError(
        ctx_.InterfaceText(366, QStringLiteral("Die Änderung konnte nicht im Verlauf gespeichert werden (%1)."))
            .arg(error));
    return false;
}
