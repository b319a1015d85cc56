// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QObject>
#include <functional>

class QTabBar;
class QTabWidget;

// Keeps a page control on its page while a page change is not allowed: presses
// and wheel turns on the tabs and the keys that change pages are refused before
// they act, and a change that comes another way is turned back. An allowed
// change is reported once the new page shows.
class PageGuard : public QObject {
    Q_OBJECT

public:
    PageGuard(QTabWidget* pages, std::function<bool()> allowed, std::function<void()> changed = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTabWidget* pages_;
    QTabBar* tabs_;
    std::function<bool()> allowed_;
    std::function<void()> changed_;
    int shown_ = 0;
};
