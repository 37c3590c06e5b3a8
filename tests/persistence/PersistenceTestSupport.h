#pragma once

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "Platform/Core/Log.h"

// A folder of its own for one test, removed afterwards.
class TemporaryFolder {
public:
    TemporaryFolder();
    std::string path() const { return folder_.path().toStdString(); }
    std::string filePath(const std::string& name) const { return path() + "/" + name; }

private:
    QTemporaryDir folder_;
};

// Collects the log lines written while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    const std::vector<std::string>& lines() const { return lines_; }
    bool contains(const std::string& text) const;

private:
    std::vector<std::string> lines_;
    Log::Sink previous_;
};

std::string fileContents(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
// The answer of SQLite's integrity check, through a connection of its own ("ok" when sound).
std::string integrityCheck(const std::string& path);
// The first column of the first row of a query, through a connection of its own.
long long queryInteger(const std::string& path, const std::string& sql);
// Runs statements through a connection of its own; false (with a test failure) when SQLite refuses.
bool executeSql(const std::string& path, const std::string& sql);
