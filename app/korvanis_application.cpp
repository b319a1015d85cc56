#include "app/korvanis_application.h"

#include "core/error_handler.h"
#include "app/qt_services.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
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
    // Qt's own texts (the buttons of the yes/no question) in the system's
    // language, as the platform's message boxes would show them.
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
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
