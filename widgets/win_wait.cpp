// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/win_wait.h"

#include "widgets/window_helpers.h"

#include <QLabel>

TWinWait::TWinWait(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("WinWait"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint
                   | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Einen Moment"));
    setFixedSize(193, 49);
    setFocusPolicy(Qt::NoFocus);

    lNachricht = new QLabel(this);
    lNachricht->setGeometry(0, 18, 193, 16);
    lNachricht->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lNachricht->setAttribute(Qt::WA_TransparentForMouseEvents);
    lNachricht->setObjectName(QStringLiteral("lNachricht"));
}

void TWinWait::showEvent(QShowEvent* event)
{
    CenterOnScreen(this);
    QDialog::showEvent(event);
}
