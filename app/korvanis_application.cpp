#include "app/korvanis_application.h"

#include "app/error_handler.h"
#include "app/qt_services.h"

#include <QFont>
#include <clocale>

KorvanisApplication::KorvanisApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Qt takes the C library locale from the environment; the table engine formats
    // and parses numbers with the C library and must always see '.'.
    std::setlocale(LC_NUMERIC, "C");
    setApplicationName(QStringLiteral("Korvanis"));
    // The windows are laid out for a compact 11-pixel type.
    QFont compact = font();
    compact.setPixelSize(11);
    setFont(compact);
}

bool KorvanisApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (dialogs_) {
            ShowException(*dialogs_, std::current_exception());
        } else {
            QtDialogs fallback;
            ShowException(fallback, std::current_exception());
        }
    }
    return false;
}
