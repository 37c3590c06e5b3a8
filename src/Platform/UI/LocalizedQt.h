#pragma once

// Routes the program's text lookup through Qt's translation system, the English text being the
// key (context "Quillet"); a text without translation stays English.
class LocalizedQt {
public:
    static constexpr const char* LocalizedQtContext = "Quillet";
    static void install();
};
