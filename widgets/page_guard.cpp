// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/page_guard.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>

PageGuard::PageGuard(QTabWidget* pages, std::function<bool()> allowed, std::function<void()> changed)
    : QObject(pages), pages_(pages), allowed_(std::move(allowed)), changed_(std::move(changed)),
      tabs_(pages->tabBar()), shown_(pages->currentIndex())
{
    pages->tabBar()->installEventFilter(this);
    pages->installEventFilter(this);
    connect(pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == shown_)
            return;
        if (!allowed_()) {
            const QSignalBlocker block(pages_);
            pages_->setCurrentIndex(shown_);
            return;
        }
        shown_ = index;
        if (changed_)
            changed_();
    });
}

bool PageGuard::eventFilter(QObject* watched, QEvent* event)
{
    // Compared with the tab bar taken at the start: the page control sends
    // events here while it is being destroyed, when it may no longer be asked.
    const bool onTabs = watched == tabs_;
    bool pageChange = false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        pageChange = onTabs;
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            // On the tabs the keys move between pages; elsewhere only with Ctrl.
            pageChange = onTabs || key->modifiers() & Qt::ControlModifier;
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return pageChange && !allowed_();
}
