#include "Platform/UI/FontDatabaseLoader.h"

#include <QFontDatabase>
#include <QStringList>

FontDatabaseLoader::FontDatabaseLoader() : thread_([] { QFontDatabase::families(); }) {}

FontDatabaseLoader::~FontDatabaseLoader() { thread_.join(); }
