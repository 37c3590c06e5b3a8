#pragma once

#include <thread>

class FontConfigurationLoader;

// Builds Qt's font database on a worker thread from the moment it is made, while the main thread
// opens the store and builds the window: the first text measured or drawn then waits only for
// what is left of that work, not for all of it. The font database takes its own lock, so either
// thread may come first. Make it once the application object exists, and let it go before that
// object does.
class FontDatabaseLoader {
public:
    // After the configuration the loader reads, which the database is built from.
    explicit FontDatabaseLoader(const FontConfigurationLoader& configuration);
    ~FontDatabaseLoader();
    FontDatabaseLoader(const FontDatabaseLoader&) = delete;
    FontDatabaseLoader& operator=(const FontDatabaseLoader&) = delete;

private:
    std::thread thread_;
};
