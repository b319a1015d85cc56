// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QKeySequence>
#include <QList>

#include <initializer_list>
#include <utility>

class AppContext;
class QFont;
class QObject;
class QTabWidget;
class QWidget;

// The program's font at a size in pixels, as the windows are laid out in pixels.
QFont PixelFont(int px, bool bold = false);

// Gives each control its name as object name, so automation and tests find it
// by that name.
void SetObjectNames(std::initializer_list<std::pair<QObject*, const char*>> names);

// Puts a window in the middle of the screen it is on.
void CenterOnScreen(QWidget* window);

// Gives the controls of a window the accessible names that assistive technology
// and automation read: a button, radio button or group box its caption, a control
// with a label (the label's buddy) the label's text. Called again whenever the
// captions change language.
void UpdateAccessibleNames(QWidget* window);

// The keys that press a training window's START/STOP button, so an attempt can be
// done without the mouse. The first is the one the button's tooltip shows.
QList<QKeySequence> StartStopKeys();
// The key of the result view's toggle between the recalled and the given digits.
QKeySequence ChangeViewKey();

// Gives the page tabs (first) and the controls of a window whose captions
// never change a mnemonic of their own each, keeping the ones they have, and
// then their accessible names; for windows with fixed captions.
void GiveMnemonics(QWidget* window);

// A control and the interface text of its caption.
struct Caption {
    QWidget* control;  // a label, a button or a group box
    int textId;
};
// Sets each caption in the interface language, the caption the control has as
// the default; then the accessible names follow the new captions.
void ApplyCaptions(const AppContext& ctx, QWidget* window, std::initializer_list<Caption> captions);
// The same for the window's title and the tabs of a page control, in tab order.
void ApplyTitles(const AppContext& ctx, QWidget* window, int titleId, QTabWidget* pages,
                 std::initializer_list<int> tabIds);
