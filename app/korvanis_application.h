// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QApplication>

class Dialogs;

// Qt's own texts (the standard buttons of the yes/no question and the error box)
// in the program's language: German for any language but 1, English for 1. The
// main window calls it when it has read the language and when the user confirms
// another; the running application's translations follow at once.
void UseQtTextsOfLanguage(qint32 language);

// The application object. Its notify() is the general error handler: an exception
// escaping any event handler is shown in the error box and the program goes on.
class KorvanisApplication : public QApplication {
public:
    KorvanisApplication(int& argc, char** argv);
    void setErrorDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Dialogs* dialogs_ = nullptr;
};
