#include <QApplication>

#include "Classes/QuilletAppDelegate.h"
#include "Platform/Accessibility.h"
#include "Platform/LocalizedQt.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillet"));
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillet"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    LocalizedQt::install();
    Accessibility::install();

    QuilletAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}
