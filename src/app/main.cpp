#include "app/app.h"
#include "surface/qt/fonts.h"
#include "surface/qt/screen_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lens Bench"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lens Bench"));
    lens::installFontSubstitutions();
    QApplication::setFont(lens::controlFont(QStringLiteral("Arial"), 8));

    lens::LensBenchApp app;
    app.Main();
    return application.exec();
}
