#include <QApplication>
#include <QMessageBox>
#include <string>

#include "Classes/QuilletAppDelegate.h"
#include "Model/CalcStore.h"
#include "Platform/UI/Accessibility.h"
#include "Platform/UI/LocalizedQt.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillet"));
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillet"));
    QApplication::setDesktopFileName(QStringLiteral("quillet"));
    LocalizedQt::install();
    Accessibility::install();

    // A store another Quillet holds is left untouched: say so rather than stop without a word.
    std::string problem;
    if (!CalcStore::sharedInstance().open(&problem)) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillet"), QString::fromStdString(problem));
        return 1;
    }

    QuilletAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}
