#include "Platform/UI/FontDatabaseLoader.h"

#include <QFontDatabase>
#include <QStringList>

#include "Platform/UI/FontConfigurationLoader.h"

FontDatabaseLoader::FontDatabaseLoader(const FontConfigurationLoader& configuration)
    : thread_([&configuration] {
          // Reading the configuration twice at once would be wasted work, not a fault.
          configuration.wait();
          QFontDatabase::families();
      }) {}

FontDatabaseLoader::~FontDatabaseLoader() { thread_.join(); }
