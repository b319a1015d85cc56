// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/win_sprache.h"

#include "core/app_context.h"
#include "widgets/window_helpers.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TWinSprache::TWinSprache(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinSprache"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Sprache wählen"));
    setFixedSize(185, 161);

    lab1 = new QLabel(QStringLiteral("Sprache wählen / Choose language"), this);
    lab1->setGeometry(8, 4, 169, 30);
    lab1->setWordWrap(true);
    lbSprache = new QListWidget(this);
    lbSprache->addItems({QStringLiteral("Deutsch"), QStringLiteral("English")});
    lbSprache->setGeometry(8, 36, 169, 82);
    bOK = new QPushButton(QStringLiteral("OK"), this);
    bOK->setGeometry(8, 127, 80, 26);
    bOK->setDefault(true);
    bAbort = new QPushButton(QStringLiteral("Abbrechen"), this);
    bAbort->setGeometry(97, 127, 80, 26);
    SetObjectNames({{lab1, "lab1"}, {lbSprache, "lbSprache"}, {bOK, "bOK"}, {bAbort, "bAbort"}});
    lab1->setBuddy(lbSprache);

    connect(lbSprache, &QListWidget::itemClicked, this, &TWinSprache::lbSpracheClick);
    connect(lbSprache, &QListWidget::currentRowChanged, this, &TWinSprache::lbSpracheClick);
    connect(bOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(bAbort, &QPushButton::clicked, this, &QDialog::reject);
}

void TWinSprache::applyTexts(int language)
{
    const InterfaceTextTable& texts = InterfaceTextTable::builtIn();
    setWindowTitle(texts.lookup(language, 174, windowTitle()));
    lab1->setText(texts.lookup(language, 175, lab1->text()));
    bOK->setText(texts.lookup(language, 176, bOK->text()));
    bAbort->setText(texts.lookup(language, 177, bAbort->text()));
    UpdateAccessibleNames(this);
}

void TWinSprache::ApplyInterfaceTexts()
{
    applyTexts(ctx_.Language);
}

void TWinSprache::showEvent(QShowEvent* event)
{
    ApplyInterfaceTexts();
    {
        const QSignalBlocker block(lbSprache);
        const int row = (ctx_.Language == 0 || ctx_.Language == 1) ? ctx_.Language : -1;
        lbSprache->setCurrentRow(row);
        if (row < 0)
            lbSprache->clearSelection();
    }
    lbSprache->setFocus();
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TWinSprache::lbSpracheClick()
{
    // Only the dialog's own texts preview the language clicked; everything else
    // changes when the choice is confirmed.
    applyTexts(selectedLanguage() == 1 ? 1 : 0);
}

int TWinSprache::selectedLanguage() const
{
    const QList<QListWidgetItem*> selected = lbSprache->selectedItems();
    return selected.isEmpty() ? -1 : lbSprache->row(selected.first());
}
