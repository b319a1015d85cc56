// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/history_messages.h"

#include "core/app_context.h"
#include "history/history_store.h"

#include <QDir>

QString HistoryProblemText(const AppContext& ctx, const HistoryProblem& problem)
{
    const QString file = QDir::toNativeSeparators(problem.fileName);
    switch (problem.kind) {
    case HistoryProblem::SetAside:
        return ctx.InterfaceText(216, QStringLiteral("Der Trainingsverlauf %1 war beschädigt und wurde als %2 "
                                                     "beiseitegelegt (%3). Ein neuer Verlauf wurde begonnen."))
            .arg(file, problem.setAsideAs, problem.detail);
    case HistoryProblem::ReadOnly:
        return ctx.InterfaceText(217, QStringLiteral("Der Trainingsverlauf %1 ist schreibgeschützt. Er wird "
                                                     "angezeigt, aber neue Versuche werden nicht gespeichert."))
            .arg(file);
    case HistoryProblem::NewerVersion:
        return ctx.InterfaceText(218, QStringLiteral("Der Trainingsverlauf %1 stammt von einer neueren "
                                                     "Korvanis-Version. Er wird angezeigt, aber nicht verändert."))
            .arg(file);
    case HistoryProblem::WriteFailed:
        return ctx.InterfaceText(219, QStringLiteral("Ein Versuch konnte nicht in den Trainingsverlauf %1 "
                                                     "geschrieben werden (%2). Er wird mit dem nächsten Versuch "
                                                     "erneut geschrieben."))
            .arg(file, problem.detail);
    case HistoryProblem::LeftoversSetAside:
        return ctx.InterfaceText(230, QStringLiteral("Neben dem fehlenden oder leeren Trainingsverlauf %1 lagen %2. "
                                                     "Sie können Versuche enthalten und wurden unverändert als %3 "
                                                     "beiseitegelegt. Ein neuer Verlauf wurde begonnen."))
            .arg(file, problem.detail, problem.setAsideAs);
    case HistoryProblem::ReadFailed:
        return ctx.InterfaceText(234, QStringLiteral("Der Trainingsverlauf %1 konnte nicht gelesen werden (%2)."))
            .arg(file, problem.detail);
    case HistoryProblem::KeptForLater:
        return ctx.InterfaceText(231, QStringLiteral("Noch nicht geschriebene Versuche: %1. Sie warten in %2 und "
                                                     "werden beim nächsten Start in den Trainingsverlauf %3 "
                                                     "übernommen."))
            .arg(QString::number(problem.attempts), problem.keptIn, file);
    case HistoryProblem::Merged:
        return ctx.InterfaceText(232, QStringLiteral("Versuche, die zuvor nicht geschrieben werden konnten, sind nun "
                                                     "im Trainingsverlauf %1: %2 aus %3."))
            .arg(file, QString::number(problem.attempts), problem.keptIn);
    case HistoryProblem::Lost:
        return ctx.InterfaceText(233, QStringLiteral("Verlorene Versuche: %1. Sie konnten weder in den "
                                                     "Trainingsverlauf %2 noch in %3 geschrieben werden (%4)."))
            .arg(QString::number(problem.attempts), file, problem.keptIn, problem.detail);
    case HistoryProblem::WaitingUnreadable:
        return ctx.InterfaceText(235, QStringLiteral("Die Datei %1 mit noch nicht geschriebenen Versuchen kann "
                                                     "nicht gelesen werden (%2). Sie bleibt unverändert liegen."))
            .arg(QDir::toNativeSeparators(problem.keptIn), problem.detail);
    case HistoryProblem::CannotOpen:
        break;
    }
    return ctx.InterfaceText(215, QStringLiteral("Der Trainingsverlauf %1 kann nicht geöffnet werden (%2). Das "
                                                 "Training geht weiter, aber Versuche werden nicht gespeichert."))
        .arg(file, problem.detail);
}
