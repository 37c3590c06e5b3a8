// Any settings file. The command line reads it without Qt (UserDefaultsFile) and the calculator
// through QSettings (UserDefaults): both read the same number or flag for every setting. A file
// QSettings cannot read is set aside whole, with its bytes as they were, and both then start
// from the defaults. Values in Qt's own serialized forms ("@Variant(...)", "@Rect(...)"), which
// the calculator never writes, read on the command line as no number and are not compared.

#include <QSettings>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzFolder.h"
#include "FuzzInput.h"
#include "FuzzInvariants.h"
#include "Model/UserSettingsKeys.h"
#include "Platform/Core/UserDefaultsFile.h"
#include "Platform/Store/UserDefaults.h"

namespace {

constexpr std::string_view kIntegerKeys[] = {
    UserSettingsKeyAngle,       UserSettingsKeyNumDecimalPlaces,
    UserSettingsKeyNumSigFigs,  UserSettingsKeyWordSize,
    UserSettingsKeyRealStyle,   UserSettingsKeyFavouritesPageIndex,
    UserSettingsKeyIntegerType, UserSettingsKeyHasCreatedDefaultValues,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string_view bytes = input.rest();
    const FuzzFolder& folder = FuzzFolder::sharedInstance();
    folder.clear();
    // QSettings keeps files it has read in a cache keyed by name: every input gets a new name.
    static int inputNumber = 0;
    const std::string path = folder.filePath("Quillet" + std::to_string(++inputNumber) + ".conf");
    FuzzFolder::writeFile(path, bytes);

    const UserDefaultsFile file(path);
    const UserDefaults defaults(path);
    const std::vector<std::string> aside =
        folder.filesStartingWith("Quillet" + std::to_string(inputNumber) + ".conf.unreadable");
    if (!aside.empty()) {
        FuzzInvariants::require(aside.size() == 1 && FuzzFolder::readFile(aside.front()) == bytes,
                                "an unreadable settings file was not set aside whole");
    }
    std::optional<QSettings> typed;
    if (aside.empty()) typed.emplace(QString::fromStdString(path), QSettings::IniFormat);
    for (std::string_view key : kIntegerKeys) {
        if (typed) {
            const QVariant stored = typed->value(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
            const int type = stored.typeId();
            if (stored.isValid() && type != QMetaType::QString && type != QMetaType::QByteArray &&
                type != QMetaType::QStringList && type != QMetaType::QVariantList) {
                continue;
            }
        }
        const int32_t read = file.integerForKey(key);
        const int32_t expected = defaults.integerForKey(key);
        FuzzInvariants::require(read == expected, std::string(key) + ": the command line reads " +
                                                      std::to_string(read) + ", the calculator " +
                                                      std::to_string(expected));
        FuzzInvariants::require(file.boolForKey(key) == defaults.boolForKey(key),
                                std::string(key) + ": the command line and the calculator read different flags");
    }
    return 0;
}
