#include "Platform/Core/Localized.h"

#include <utility>

namespace {

Localized::Translator& currentTranslator() {
    static Localized::Translator translator;
    return translator;
}

}  // namespace

std::string Localized::string(std::string_view english) {
    if (const Translator& translator = currentTranslator()) return translator(english);
    return std::string(english);
}

void Localized::setTranslator(Translator translator) { currentTranslator() = std::move(translator); }
