#include "Platform/UI/FontConfigurationLoader.h"

#ifdef QUILLET_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigurationLoader::FontConfigurationLoader()
    : reading_(std::async(std::launch::async, [] {
#ifdef QUILLET_HAS_FONTCONFIG
                   // Qt's font database calls this too, and finds the configuration read.
                   FcInit();
#endif
               }).share()) {
}

FontConfigurationLoader::~FontConfigurationLoader() { wait(); }

void FontConfigurationLoader::wait() const { reading_.wait(); }
