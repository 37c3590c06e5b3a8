#include <QApplication>
#include <QMessageBox>
#include <memory>
#include <string>

#include "Classes/QuilletAppDelegate.h"
#include "Model/CalcStore.h"
#include "Platform/UI/FontConfigurationLoader.h"
#include "Platform/UI/FontDatabaseLoader.h"
#ifdef QUILLET_TEST_KEY_FEED
#include "app/TestKeyFeed.h"
#endif

int main(int argc, char* argv[]) {
    const FontConfigurationLoader fontConfiguration;
    QApplication application(argc, argv);
    const FontDatabaseLoader fonts(fontConfiguration);
    QuilletAppDelegate::applicationWillLaunch();

    // A store another Quillet holds is left untouched: say so rather than stop without a word.
    std::string problem;
    if (!CalcStore::sharedInstance().open(&problem)) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillet"), QString::fromStdString(problem));
        return 1;
    }

    QuilletAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
#ifdef QUILLET_TEST_KEY_FEED
    std::unique_ptr<TestKeyFeed> keyFeed;
    if (TestKeyFeed::isRequested()) keyFeed = std::make_unique<TestKeyFeed>(delegate);
#endif
    return QApplication::exec();
}
