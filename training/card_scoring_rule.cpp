// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "training/card_scoring_rule.h"

#include "training/card_decks_rule.h"
#include "training/speed_cards_rule.h"

const CardScoringRule& CardScoringRuleOf(ScoringKind kind)
{
    static const SpeedCardsRule speedCards;
    static const CardDecksRule decks;
    return kind == ScoringKind::SpeedCards ? static_cast<const CardScoringRule&>(speedCards) : decks;
}
