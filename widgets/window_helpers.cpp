// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/window_helpers.h"

#include "core/app_context.h"
#include "core/mnemonics.h"
#include "widgets/speed_button.h"

#include <QAbstractButton>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QWidget>

QFont PixelFont(int px, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(px);
    font.setBold(bold);
    return font;
}

void SetObjectNames(std::initializer_list<std::pair<QObject*, const char*>> names)
{
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}

void CenterOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void UpdateAccessibleNames(QWidget* window)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        button->setAccessibleName(WithoutMnemonic(button->text()));
    for (QGroupBox* box : window->findChildren<QGroupBox*>())
        box->setAccessibleName(WithoutMnemonic(box->title()));
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy())
            label->buddy()->setAccessibleName(WithoutMnemonic(label->text()));
    }
}

QList<QKeySequence> StartStopKeys()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)};
}

namespace {

// A control that Alt and a letter reach: a button but the speed buttons (they
// never take the focus, START/STOP is pressed by its guarded keys, and their
// captions change with the attempt), and a label beside a control the keys can
// reach.
bool takesMnemonic(QWidget* control)
{
    if (qobject_cast<TSpeedButton*>(control))
        return false;
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->buddy() && (label->buddy()->focusPolicy() & Qt::TabFocus);
    return qobject_cast<QAbstractButton*>(control) != nullptr;
}

// The letters the page tabs of a window have taken.
QString tabLetters(QWidget* window)
{
    QString taken;
    for (QTabWidget* pages : window->findChildren<QTabWidget*>()) {
        for (int tab = 0; tab < pages->count(); ++tab) {
            const QChar letter = MnemonicOf(pages->tabText(tab));
            if (!letter.isNull())
                taken += letter;
        }
    }
    return taken;
}

} // namespace

QKeySequence ChangeViewKey()
{
    return QKeySequence(Qt::Key_F2);
}

void GiveMnemonics(QWidget* window)
{
    QString taken;
    for (QTabWidget* pages : window->findChildren<QTabWidget*>()) {
        QStringList tabs;
        for (int tab = 0; tab < pages->count(); ++tab)
            tabs << pages->tabText(tab);
        const QStringList marked = WithMnemonics(tabs, taken);
        for (int tab = 0; tab < pages->count(); ++tab)
            pages->setTabText(tab, marked.at(tab));
    }
    QList<QWidget*> controls;
    QStringList texts;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!takesMnemonic(control))
            continue;
        controls << control;
        auto* label = qobject_cast<QLabel*>(control);
        texts << (label ? label->text() : static_cast<QAbstractButton*>(control)->text());
    }
    const QStringList marked = WithMnemonics(texts, taken);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(controls.at(i)))
            label->setText(marked.at(i));
        else
            static_cast<QAbstractButton*>(controls.at(i))->setText(marked.at(i));
    }
    UpdateAccessibleNames(window);
}

void ApplyCaptions(const AppContext& ctx, QWidget* window, std::initializer_list<Caption> captions)
{
    QStringList texts;
    QList<QWidget*> reached;
    for (const Caption& caption : captions) {
        if (auto* label = qobject_cast<QLabel*>(caption.control)) {
            const QString text = ctx.InterfaceText(caption.textId, WithoutMnemonic(label->text()));
            if (takesMnemonic(label)) {
                texts << text;
                reached << label;
            } else {
                label->setText(text);
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(caption.control)) {
            const QString text = ctx.InterfaceText(caption.textId, WithoutMnemonic(button->text()));
            if (takesMnemonic(button)) {
                texts << text;
                reached << button;
            } else {
                button->setText(text);
            }
        } else if (auto* box = qobject_cast<QGroupBox*>(caption.control)) {
            box->setTitle(ctx.InterfaceText(caption.textId, box->title()));
        }
    }
    QString taken = tabLetters(window);
    const QStringList marked = WithMnemonics(texts, taken);
    for (qsizetype i = 0; i < reached.size(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(reached.at(i)))
            label->setText(marked.at(i));
        else
            static_cast<QAbstractButton*>(reached.at(i))->setText(marked.at(i));
    }
    UpdateAccessibleNames(window);
}

void ApplyTitles(const AppContext& ctx, QWidget* window, int titleId, QTabWidget* pages,
                 std::initializer_list<int> tabIds)
{
    window->setWindowTitle(ctx.InterfaceText(titleId, window->windowTitle()));
    QStringList texts;
    int tab = 0;
    for (int id : tabIds)
        texts << ctx.InterfaceText(id, WithoutMnemonic(pages->tabText(tab++)));
    // The pages come first: they are the window's first choice.
    QString taken;
    const QStringList marked = WithMnemonics(texts, taken);
    for (tab = 0; tab < marked.size(); ++tab)
        pages->setTabText(tab, marked.at(tab));
}
