#include "Platform/Store/FetchedResultsController.h"

#include <algorithm>
#include <unordered_map>

#include "Platform/Store/ManagedObject.h"
#include "Platform/Store/ManagedObjectContext.h"

FetchedResultsController::FetchedResultsController(FetchRequest request, ManagedObjectContext& context,
                                                   std::string sectionNameKeyPath, std::string cacheName)
    : request_(std::move(request)),
      context_(&context),
      sectionNameKeyPath_(std::move(sectionNameKeyPath)),
      cacheName_(std::move(cacheName)) {
    context_->addFetchedResultsController(this);
}

FetchedResultsController::~FetchedResultsController() {
    if (context_) context_->removeFetchedResultsController(this);
}

void FetchedResultsController::forgetObjects() {
    context_ = nullptr;
    sections_.clear();
}

std::vector<FetchedResultsSectionInfo> FetchedResultsController::groupedSections(
    const std::vector<ManagedObject*>& objects) const {
    std::vector<FetchedResultsSectionInfo> sections;
    for (ManagedObject* object : objects) {
        ObjectValue sectionValue =
            sectionNameKeyPath_.empty() ? ObjectValue{} : object->valueForKey(sectionNameKeyPath_);
        if (sections.empty() || sections.back().sectionValue != sectionValue) {
            sections.push_back({std::move(sectionValue), {}});
        }
        sections.back().objects.push_back(object);
    }
    return sections;
}

bool FetchedResultsController::performFetch(std::string* error) {
    if (!context_) return false;
    auto objects = context_->executeFetchRequest(request_, error);
    if (!objects) return false;
    sections_ = groupedSections(*objects);
    fetched_ = true;
    return true;
}

ManagedObject* FetchedResultsController::objectAtIndexPath(IndexPath indexPath) const {
    if (indexPath.section >= sections_.size()) return nullptr;
    const auto& objects = sections_[indexPath.section].objects;
    return indexPath.row < objects.size() ? objects[indexPath.row] : nullptr;
}

size_t FetchedResultsController::numberOfObjects() const {
    size_t count = 0;
    for (const auto& section : sections_) count += section.numberOfObjects();
    return count;
}

void FetchedResultsController::contextDidChange() {
    if (!fetched_ || !context_) return;
    std::string error;
    auto objects = context_->executeFetchRequest(request_, &error);
    if (!objects) return;
    std::vector<FetchedResultsSectionInfo> newSections = groupedSections(*objects);

    auto indexPaths = [](const std::vector<FetchedResultsSectionInfo>& sections) {
        std::unordered_map<const ManagedObject*, IndexPath> paths;
        for (size_t section = 0; section < sections.size(); ++section) {
            for (size_t row = 0; row < sections[section].objects.size(); ++row) {
                paths.emplace(sections[section].objects[row], IndexPath{section, row});
            }
        }
        return paths;
    };
    auto hasSection = [](const std::vector<FetchedResultsSectionInfo>& sections, const ObjectValue& value) {
        return std::any_of(sections.begin(), sections.end(),
                           [&](const FetchedResultsSectionInfo& section) { return section.sectionValue == value; });
    };
    const auto oldPaths = indexPaths(sections_);
    const auto newPaths = indexPaths(newSections);

    std::vector<size_t> deletedSections, insertedSections;
    for (size_t section = 0; section < sections_.size(); ++section) {
        if (!hasSection(newSections, sections_[section].sectionValue)) deletedSections.push_back(section);
    }
    for (size_t section = 0; section < newSections.size(); ++section) {
        if (!hasSection(sections_, newSections[section].sectionValue)) insertedSections.push_back(section);
    }
    std::vector<std::pair<ManagedObject*, IndexPath>> deletedObjects, insertedObjects;
    for (const auto& section : sections_) {
        for (ManagedObject* object : section.objects) {
            if (!newPaths.count(object)) deletedObjects.emplace_back(object, oldPaths.at(object));
        }
    }
    for (const auto& section : newSections) {
        for (ManagedObject* object : section.objects) {
            if (!oldPaths.count(object)) insertedObjects.emplace_back(object, newPaths.at(object));
        }
    }
    sections_ = std::move(newSections);
    if (!delegate_ ||
        (deletedSections.empty() && insertedSections.empty() && deletedObjects.empty() && insertedObjects.empty())) {
        return;
    }
    delegate_->controllerWillChangeContent(*this);
    for (size_t section : deletedSections)
        delegate_->controllerDidChangeSection(*this, section, FetchedResultsChangeType::Delete);
    for (size_t section : insertedSections)
        delegate_->controllerDidChangeSection(*this, section, FetchedResultsChangeType::Insert);
    for (const auto& [object, path] : deletedObjects) {
        delegate_->controllerDidChangeObject(*this, object, path, FetchedResultsChangeType::Delete);
    }
    for (const auto& [object, path] : insertedObjects) {
        delegate_->controllerDidChangeObject(*this, object, path, FetchedResultsChangeType::Insert);
    }
    delegate_->controllerDidChangeContent(*this);
}
