#include "app/korvanis_application.h"
#include "app/qt_services.h"

int main(int argc, char** argv)
{
    KorvanisApplication app(argc, argv);
    QtDialogs dialogs;
    app.setErrorDialogs(&dialogs);
    return 0;
}
