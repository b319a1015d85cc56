#pragma once

#include <QApplication>

class Dialogs;

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
