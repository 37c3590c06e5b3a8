#pragma once

#include <future>

// Reads the system's font configuration (fontconfig's files and caches, most of the cost of the
// first text a process draws) on a worker thread from the moment it is made, even before the
// application object exists. Where Qt draws its text without fontconfig it does nothing.
class FontConfigurationLoader {
public:
    FontConfigurationLoader();
    ~FontConfigurationLoader();
    FontConfigurationLoader(const FontConfigurationLoader&) = delete;
    FontConfigurationLoader& operator=(const FontConfigurationLoader&) = delete;

    // Returns once the configuration has been read; any thread may wait.
    void wait() const;

private:
    std::shared_future<void> reading_;
};
