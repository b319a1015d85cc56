#pragma once

#include <QKeySequence>
#include <QList>

#include <initializer_list>
#include <utility>

class QFont;
class QObject;
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
