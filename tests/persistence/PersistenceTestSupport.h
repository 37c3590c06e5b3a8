#pragma once

#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "Model/CalcValue.h"
#include "Platform/Store/FetchedResultsController.h"
#include "support/LogCapture.h"

inline CalcValue u(uint64_t v) { return CalcValue::calcValueWithUBaseValue(v); }

// A folder of its own for one test, removed afterwards.
class TemporaryFolder {
public:
    TemporaryFolder();
    std::string path() const { return folder_.path().toStdString(); }
    std::string filePath(const std::string& name) const { return path() + "/" + name; }

private:
    QTemporaryDir folder_;
};

std::string fileContents(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
// The answer of SQLite's integrity check, through a connection of its own ("ok" when sound).
std::string integrityCheck(const std::string& path);
// The first column of the first row of a query, through a connection of its own.
long long queryInteger(const std::string& path, const std::string& sql);
// The number of records of an entity in a store file.
inline long long rowCount(const std::string& path, const std::string& entity) {
    return queryInteger(path, "SELECT count(*) FROM " + entity);
}
// Runs statements through a connection of its own; false (with a test failure) when SQLite refuses.
bool executeSql(const std::string& path, const std::string& sql);

// Records what a live list reports, in order ("will", "+section 0", "-row 1.0", "did"); a row
// also names its record when a label is given.
class ListChanges : public FetchedResultsControllerDelegate {
public:
    explicit ListChanges(std::function<std::string(ManagedObject*)> label = {}) : label_(std::move(label)) {}
    void controllerWillChangeContent(FetchedResultsController&) override { events.push_back("will"); }
    void controllerDidChangeSection(FetchedResultsController&, size_t section, FetchedResultsChangeType type) override {
        events.push_back(sign(type) + "section " + std::to_string(section));
    }
    void controllerDidChangeObject(FetchedResultsController&, ManagedObject* object, IndexPath path,
                                   FetchedResultsChangeType type) override {
        events.push_back(sign(type) + "row " + std::to_string(path.section) + "." + std::to_string(path.row) +
                         (label_ ? " " + label_(object) : ""));
    }
    void controllerDidChangeContent(FetchedResultsController&) override { events.push_back("did"); }
    std::vector<std::string> events;

private:
    static std::string sign(FetchedResultsChangeType type) {
        return type == FetchedResultsChangeType::Insert ? "+" : "-";
    }
    std::function<std::string(ManagedObject*)> label_;
};
