#include "Platform/Store/UserDefaults.h"

#include <QSettings>
#include <QString>

#include "Platform/Core/Log.h"
#include "Platform/Store/FileSetAside.h"

namespace {

QString keyString(std::string_view key) { return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())); }

}  // namespace

UserDefaults& UserDefaults::standardUserDefaults() {
    static UserDefaults defaults(std::make_unique<QSettings>(QStringLiteral("Quillet"), QStringLiteral("Quillet")));
    return defaults;
}

UserDefaults::UserDefaults(const std::string& filePath)
    : UserDefaults(std::make_unique<QSettings>(QString::fromStdString(filePath), QSettings::IniFormat)) {}

UserDefaults::UserDefaults(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {
    // The file is read on first use; reading it now tells whether it could be understood.
    settings_->allKeys();
    if (settings_->status() != QSettings::NoError) setAsideUnreadableFile();
}

UserDefaults::~UserDefaults() = default;

void UserDefaults::setAsideUnreadableFile() {
    const std::string path = fileName();
    const QSettings::Format format = settings_->format();
    // Writing over a file we could not read would lose whatever it held: keep it aside.
    settings_.reset();
    std::string error;
    if (const auto aside = setFileAside(path, &error)) {
        Log::format("settings file %s could not be read; kept as %s, starting with the defaults", path.c_str(),
                    aside->c_str());
    } else {
        Log::format("settings file %s could not be read and could not be moved aside: %s", path.c_str(), error.c_str());
    }
    settings_ = std::make_unique<QSettings>(QString::fromStdString(path), format);
}

int32_t UserDefaults::integerForKey(std::string_view key) const {
    bool ok = false;
    const int value = settings_->value(keyString(key)).toInt(&ok);
    return ok ? value : 0;
}

void UserDefaults::setIntegerForKey(int32_t value, std::string_view key) { settings_->setValue(keyString(key), value); }

bool UserDefaults::boolForKey(std::string_view key) const { return settings_->value(keyString(key)).toBool(); }

void UserDefaults::setBoolForKey(bool value, std::string_view key) { settings_->setValue(keyString(key), value); }

bool UserDefaults::hasValueForKey(std::string_view key) const { return settings_->contains(keyString(key)); }

bool UserDefaults::synchronize() {
    settings_->sync();
    const bool written = settings_->status() == QSettings::NoError;
    if (!written) Log::format("settings could not be written to %s", fileName().c_str());
    return written;
}

std::string UserDefaults::fileName() const { return settings_->fileName().toStdString(); }
