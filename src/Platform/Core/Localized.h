#pragma once

#include <functional>
#include <string>
#include <string_view>

// Texts shown or spoken are looked up with their English text as key. Without a translator
// installed (the core, the command line) the key itself is the text.
class Localized {
public:
    using Translator = std::function<std::string(std::string_view english)>;

    static std::string string(std::string_view english);
    static void setTranslator(Translator translator);
};
