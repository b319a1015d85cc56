// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/mark_undo.h"

#include <QWidget>
#include <functional>
#include <vector>

class AppContext;
class HistoryStore;
class QCheckBox;
class QPushButton;

// The row under the history table that sets attempts aside: "do not count"
// keeps an attempt in the table, greyed, and out of the statistics and the
// plot; "delete" hides it as well. Both are marks in the file, never a removal,
// and every command can be undone, for as long as the window lives.
class TVerlaufMarks : public QWidget {
    Q_OBJECT

public:
    // `chosen` gives the attempts selected in the table.
    TVerlaufMarks(AppContext& ctx, HistoryStore& history, std::function<std::vector<StoredAttempt>()> chosen,
                  QWidget* parent);

    void ApplyInterfaceTexts();
    // The selection or the file changed: captions and enabled states follow.
    void refreshButtons();
    bool showDeleted() const;

    void bMarkierenClick();
    void bLoeschenClick();
    void bRueckgaengigClick();

    QPushButton* bMarkieren = nullptr;
    QPushButton* bLoeschen = nullptr;
    QPushButton* bRueckgaengig = nullptr;
    QCheckBox* cbGeloeschte = nullptr;

Q_SIGNALS:
    // Marks were written: the table and its figures read the file again.
    void marksChanged();
    void showDeletedChanged();

private:
    void toggle(AttemptMark mark);
    bool write(const std::vector<MarkChange>& changes);

    AppContext& ctx_;
    HistoryStore& history_;
    std::function<std::vector<StoredAttempt>()> chosen_;
    MarkUndo undo_;
};
