// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/korvanis_application.h"

#include "core/error_handler.h"
#include "app/qt_services.h"

#include <QFont>
#include <QLibraryInfo>
#include <QPointer>
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
    // German, the program's first language, until the main window has read
    // the user's choice.
    UseQtTextsOfLanguage(0);
}

void UseQtTextsOfLanguage(qint32 language)
{
    // Qt's texts follow the program's language rather than the system's, so a
    // German question never gets "Yes / No" on an English system. Qt's built-in
    // texts are English; German comes from Qt's translation, loaded once.
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    static QPointer<QTranslator> german;
    if (!german) {
        german = new QTranslator(app);
        if (!german->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            qWarning("Qt's German translation (qtbase_de) is missing: its buttons stay English");
    }
    QCoreApplication::removeTranslator(german);
    if (language != 1 && !german->isEmpty())
        QCoreApplication::installTranslator(german);
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
