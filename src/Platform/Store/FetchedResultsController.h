#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Platform/Core/IndexPath.h"
#include "Platform/Store/FetchRequest.h"
#include "Platform/Store/ObjectValue.h"

class ManagedObject;
class FetchedResultsController;
class ManagedObjectContext;

enum class FetchedResultsChangeType { Insert, Delete };

// Told what changed in a live list, in this order: will change; each deleted section (old
// index) and each inserted section (new index); each deleted record (old index path) and each
// inserted record (new index path); did change. Changes of attributes are not reported.
class FetchedResultsControllerDelegate {
public:
    virtual ~FetchedResultsControllerDelegate() = default;
    virtual void controllerWillChangeContent(FetchedResultsController& controller) = 0;
    virtual void controllerDidChangeSection(FetchedResultsController& controller, size_t sectionIndex,
                                            FetchedResultsChangeType type) = 0;
    virtual void controllerDidChangeObject(FetchedResultsController& controller, ManagedObject* object,
                                           IndexPath indexPath, FetchedResultsChangeType type) = 0;
    virtual void controllerDidChangeContent(FetchedResultsController& controller) = 0;
};

struct FetchedResultsSectionInfo {
    ObjectValue sectionValue;  // the value every record of the section shares
    std::vector<ManagedObject*> objects;
    size_t numberOfObjects() const { return objects.size(); }
};

// The records of one fetch grouped into sections by equal values of one attribute, in the
// fetch's order, kept up to date as the context changes. The context must outlive it.
class FetchedResultsController {
public:
    FetchedResultsController(FetchRequest request, ManagedObjectContext& context, std::string sectionNameKeyPath,
                             std::string cacheName);
    ~FetchedResultsController();
    FetchedResultsController(const FetchedResultsController&) = delete;
    FetchedResultsController& operator=(const FetchedResultsController&) = delete;

    bool performFetch(std::string* error);
    const std::vector<FetchedResultsSectionInfo>& sections() const { return sections_; }
    // Null when there is no record at that position.
    ManagedObject* objectAtIndexPath(IndexPath indexPath) const;
    size_t numberOfObjects() const;

    FetchedResultsControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(FetchedResultsControllerDelegate* delegate) { delegate_ = delegate; }
    const FetchRequest& fetchRequest() const { return request_; }
    const std::string& cacheName() const { return cacheName_; }

private:
    friend class ManagedObjectContext;

    std::vector<FetchedResultsSectionInfo> groupedSections(const std::vector<ManagedObject*>& objects) const;
    // Re-runs the fetch and reports the difference to the delegate.
    void contextDidChange();
    void forgetObjects();

    FetchRequest request_;
    ManagedObjectContext* context_;
    std::string sectionNameKeyPath_;
    std::string cacheName_;
    FetchedResultsControllerDelegate* delegate_ = nullptr;
    std::vector<FetchedResultsSectionInfo> sections_;
    bool fetched_ = false;
};
