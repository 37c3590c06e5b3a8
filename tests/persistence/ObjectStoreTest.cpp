#include <gtest/gtest.h>

#include <limits>

#include "PersistenceTestSupport.h"
#include "Platform/Store/FetchedResultsController.h"
#include "Platform/Store/ManagedObjectContext.h"
#include "Platform/Store/PersistentStoreCoordinator.h"

namespace {

using namespace std::chrono_literals;

// A small model of its own: a list of notes grouped by day, each owning one attachment.
ManagedObjectModel notesModel() {
    return ManagedObjectModel({
        {"Note",
         {{"day", AttributeType::Int32},
          {"position", AttributeType::Int32},
          {"big", AttributeType::Int64},
          {"ratio", AttributeType::Double},
          {"flag", AttributeType::Boolean},
          {"when", AttributeType::Date},
          {"text", AttributeType::String}},
         {{"attachment", "Attachment", true}}},
        {"Attachment", {{"size", AttributeType::Int32}}, {{"note", "Note", false}}},
    });
}

class ObjectStore : public ::testing::Test {
protected:
    void open() {
        context_.reset();
        coordinator_ = std::make_unique<PersistentStoreCoordinator>(model_, path_);
        ASSERT_TRUE(coordinator_->isOpen()) << coordinator_->errorMessage();
        context_ = std::make_unique<ManagedObjectContext>(*coordinator_);
    }
    void reopen() {
        context_.reset();
        coordinator_.reset();
        open();
    }
    std::vector<ManagedObject*> fetch(const FetchRequest& request) {
        std::string error;
        auto objects = context_->executeFetchRequest(request, &error);
        EXPECT_TRUE(objects.has_value()) << error;
        return objects.value_or(std::vector<ManagedObject*>{});
    }
    std::vector<ManagedObject*> allNotes() { return fetch({"Note", nullptr, {{"position", true}}}); }
    ManagedObject* addNote(int32_t day, int32_t position) {
        ManagedObject* note = context_->insertNewObjectForEntityForName("Note");
        note->setValue(day, "day");
        note->setValue(position, "position");
        return note;
    }
    void save() {
        std::string error;
        ASSERT_TRUE(context_->save(&error)) << error;
    }

    TemporaryFolder folder_;
    std::string path_ = folder_.filePath("notes.sqlite");
    ManagedObjectModel model_ = notesModel();
    std::unique_ptr<PersistentStoreCoordinator> coordinator_;
    std::unique_ptr<ManagedObjectContext> context_;
};

struct AttributeRow {
    const char* name;
    ObjectValue value;
};

class ObjectStoreAttributes : public ObjectStore, public ::testing::WithParamInterface<AttributeRow> {};

TEST_P(ObjectStoreAttributes, ComeBackAsWrittenAfterAReopen) {
    open();
    ManagedObject* note = context_->insertNewObjectForEntityForName("Note");
    const std::string key = GetParam().name;
    note->setValue(GetParam().value, key);
    save();
    reopen();
    EXPECT_EQ(allNotes().at(0)->valueForKey(key), GetParam().value);
}

const ObjectDate someInstant = ObjectDate(std::chrono::duration_cast<ObjectDate::duration>(1765043101123456789ns));

// clang-format off
const AttributeRow kAttributes[] = {
    {"day", int32_t{std::numeric_limits<int32_t>::min()}}, {"day", int32_t{std::numeric_limits<int32_t>::max()}},
    {"big", int64_t{std::numeric_limits<int64_t>::min()}}, {"big", int64_t{std::numeric_limits<int64_t>::max()}},
    {"big", int64_t{-1}}, {"ratio", 0.1}, {"ratio", -1.7976931348623157e308}, {"ratio", 4.9406564584124654e-324},
    {"flag", true}, {"flag", false}, {"when", someInstant}, {"when", ObjectDate{}}, {"text", std::string("")},
    {"text", std::string("12 + 30 = \xE2\x88\x92 \"quoted\" 'x'")}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EveryType, ObjectStoreAttributes, ::testing::ValuesIn(kAttributes));

TEST_F(ObjectStore, ChangesAndDeletionsArePendingUntilASave) {
    open();
    addNote(1, 1);
    EXPECT_TRUE(context_->hasChanges());
    EXPECT_EQ(allNotes().size(), 1u) << "a fetch sees pending inserts";
    reopen();
    EXPECT_TRUE(allNotes().empty());

    addNote(1, 1)->setValue(std::string("kept"), "text");
    addNote(1, 2);
    save();
    EXPECT_FALSE(context_->hasChanges());
    allNotes().at(0)->setValue(std::string("changed but not saved"), "text");
    context_->deleteObject(allNotes().at(1));
    EXPECT_EQ(allNotes().size(), 1u) << "a deletion leaves the working set at once";
    reopen();
    ASSERT_EQ(allNotes().size(), 2u) << "and the file at the save";
    EXPECT_EQ(allNotes().at(0)->stringForKey("text"), "kept");
    context_->deleteObject(allNotes().at(0));
    save();
    reopen();
    ASSERT_EQ(allNotes().size(), 1u);
    EXPECT_EQ(allNotes().at(0)->int32ForKey("position"), 2);
}

TEST_F(ObjectStore, FetchAppliesThePredicateAndTheSortOrder) {
    open();
    for (const auto& [day, position] : std::vector<std::pair<int, int>>{{2, 8}, {1, 3}, {2, 7}, {3, 1}, {1, 9}}) {
        addNote(day, position);
    }
    save();
    reopen();
    const auto notes =
        fetch({"Note", FetchRequest::predicateKeyLessThanOrEqual("position", 8), {{"day", false}, {"position", true}}});
    std::vector<std::pair<int, int>> seen;
    for (auto* note : notes) seen.emplace_back(*note->int32ForKey("day"), *note->int32ForKey("position"));
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{3, 1}, {2, 7}, {2, 8}, {1, 3}}));
    std::string error;
    EXPECT_FALSE(context_->executeFetchRequest({"Nothing", nullptr, {}}, &error).has_value());
    EXPECT_NE(error.find("Nothing"), std::string::npos);
}

TEST_F(ObjectStore, DeletingARecordDeletesTheRecordsItOwns) {
    open();
    ManagedObject* note = addNote(1, 1);
    ManagedObject* attachment = context_->insertNewObjectForEntityForName("Attachment");
    attachment->setValue(5, "size");
    attachment->setObject(note, "note");
    note->setObject(attachment, "attachment");
    save();
    reopen();
    ManagedObject* stored = allNotes().at(0);
    ASSERT_NE(stored->objectForKey("attachment"), nullptr);
    EXPECT_EQ(stored->objectForKey("attachment")->int32ForKey("size"), 5);
    EXPECT_EQ(stored->objectForKey("attachment")->objectForKey("note"), stored);
    context_->deleteObject(stored);
    save();
    reopen();
    EXPECT_TRUE(fetch({"Attachment", nullptr, {}}).empty());
}

TEST_F(ObjectStore, AFailedSaveWritesNothingAndKeepsTheChangesPending) {
    open();
    addNote(1, 1);
    save();
    addNote(1, 2);
    allNotes().at(0)->setValue(std::string("edited"), "text");
    std::string error;
    ASSERT_TRUE(coordinator_->database()->execute("PRAGMA query_only = 1", &error)) << error;
    EXPECT_FALSE(context_->save(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(context_->hasChanges());
    ASSERT_TRUE(coordinator_->database()->execute("PRAGMA query_only = 0", &error)) << error;
    save();
    reopen();
    const auto notes = allNotes();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0]->stringForKey("text"), "edited");
}

TEST_F(ObjectStore, TheLiveListReportsChangesInOrderAndGroupsRecordsIntoSectionsInTheFetchOrder) {
    open();
    addNote(1, 1);
    addNote(2, 2);
    save();
    FetchedResultsController list({"Note", nullptr, {{"day", false}, {"position", true}}}, *context_, "day", "Notes");
    ListChanges delegate([](ManagedObject* note) { return "#" + std::to_string(*note->int32ForKey("position")); });
    list.setDelegate(&delegate);
    std::string error;
    ASSERT_TRUE(list.performFetch(&error)) << error;

    addNote(3, 3);
    addNote(2, 4);
    context_->deleteObject(list.objectAtIndexPath({1, 0}));
    save();
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"will", "-section 1", "+section 0", "-row 1.0 #1",
                                                         "+row 0.0 #3", "+row 1.1 #4", "did"}));
    delegate.events.clear();
    list.objectAtIndexPath({0, 0})->setValue(std::string("cache"), "text");
    save();
    EXPECT_TRUE(delegate.events.empty()) << "changed attributes are not reported";
    ASSERT_EQ(list.sections().size(), 2u);
    EXPECT_EQ(list.sections()[0].sectionValue, ObjectValue(int32_t{3}));
    EXPECT_EQ(list.sections()[1].numberOfObjects(), 2u);
    EXPECT_EQ(list.objectAtIndexPath({1, 1})->int32ForKey("position"), 4);
    EXPECT_EQ(list.objectAtIndexPath({1, 2}), nullptr);
    EXPECT_EQ(list.objectAtIndexPath({2, 0}), nullptr);
    EXPECT_EQ(list.numberOfObjects(), 3u);
}

TEST_F(ObjectStore, AValueOfTheWrongTypeForAnAttributeIsFatal) {
    open();
    ManagedObject* note = context_->insertNewObjectForEntityForName("Note");
    EXPECT_DEATH(note->setValue(int64_t{1}, "day"),
                 "Platform/ManagedObject: value of the wrong type for attribute day");
    EXPECT_DEATH(note->valueForKey("nothing"), "Platform/ManagedObject: Note has no attribute nothing");
    note->setValue(ObjectValue{}, "day");
    EXPECT_FALSE(note->int32ForKey("day").has_value());
}

}  // namespace
