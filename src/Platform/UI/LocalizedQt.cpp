#include "Platform/UI/LocalizedQt.h"

#include <QCoreApplication>
#include <string>

#include "Platform/Core/Localized.h"

void LocalizedQt::install() {
    Localized::setTranslator([](std::string_view english) {
        const std::string key(english);
        return QCoreApplication::translate(LocalizedQtContext, key.c_str()).toStdString();
    });
}
