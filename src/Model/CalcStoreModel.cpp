#include "Model/CalcStoreModel.h"

#include <string>

#include "Model/AccumulatorState.h"
#include "Model/CalcStoreKeys.h"
#include "Model/Favourite.h"
#include "Model/GeneralValue.h"
#include "Model/GlobalData.h"
#include "Model/HistoryStep.h"
#include "Model/OpStepRecord.h"
#include "Model/QuickOperator.h"

namespace {

template <typename Record>
std::unique_ptr<ManagedObject> makeRecord(ManagedObjectContext& context, const EntityDescription& entity,
                                          int64_t objectID) {
    return std::make_unique<Record>(context, entity, objectID);
}

AttributeDescription int32Attribute(std::string_view name) { return {std::string(name), AttributeType::Int32}; }

RelationshipDescription ownedValue(std::string_view name) {
    return {std::string(name), std::string(CalcStoreGeneralValueEntityName), true};
}

RelationshipDescription parent(std::string_view name, std::string_view entityName) {
    return {std::string(name), std::string(entityName), false};
}

}  // namespace

ManagedObjectModel CalcStoreModel::managedObjectModel() {
    std::vector<EntityDescription> entities;
    entities.push_back({std::string(CalcStoreGlobalDataEntityName),
                        {int32Attribute(CalcStoreGlobalDataKeyNextHistoryStep)},
                        {},
                        makeRecord<GlobalData>});
    entities.push_back(
        {std::string(CalcStoreHistoryStepEntityName),
         {{std::string(CalcStoreHistoryStepKeyDate), AttributeType::Date},
          int32Attribute(CalcStoreHistoryStepKeyIndex),
          int32Attribute(CalcStoreHistoryStepKeyError),
          int32Attribute(CalcStoreHistoryStepKeyOperator),
          {std::string(CalcStoreHistoryStepKeyTextCacheLHS), AttributeType::String},
          {std::string(CalcStoreHistoryStepKeyTextCacheRHS), AttributeType::String}},
         {ownedValue(CalcStoreHistoryStepKeyGeneralValue1), ownedValue(CalcStoreHistoryStepKeyGeneralValue2),
          ownedValue(CalcStoreHistoryStepKeyGeneralValueResult)},
         makeRecord<HistoryStep>});
    entities.push_back({std::string(CalcStoreFavouriteEntityName),
                        {int32Attribute(CalcStoreFavouriteKeyIndex), int32Attribute(CalcStoreFavouriteKeyOperator)},
                        {ownedValue(CalcStoreFavouriteKeyGeneralValue)},
                        makeRecord<Favourite>});
    entities.push_back(
        {std::string(CalcStoreQuickOperatorEntityName),
         {int32Attribute(CalcStoreQuickOperatorKeyIndex), int32Attribute(CalcStoreQuickOperatorKeyOperator)},
         {},
         makeRecord<QuickOperator>});
    entities.push_back({std::string(CalcStoreOpStepEntityName),
                        {int32Attribute(CalcStoreOpStepKeyIndex), int32Attribute(CalcStoreOpStepKeyOperator)},
                        {ownedValue(CalcStoreOpStepKeyGeneralValue)},
                        makeRecord<OpStepRecord>});
    entities.push_back({std::string(CalcStoreAccumulatorStateEntityName),
                        {int32Attribute(CalcStoreAccumulatorStateKeyState),
                         int32Attribute(CalcStoreAccumulatorStateKeyCurrError),
                         int32Attribute(CalcStoreAccumulatorStateKeyCurrOperator),
                         int32Attribute(CalcStoreAccumulatorStateKeyDecimalPointDivider),
                         int32Attribute(CalcStoreAccumulatorStateKeyExponent),
                         {std::string(CalcStoreAccumulatorStateKeyHasExponent), AttributeType::Boolean},
                         int32Attribute(CalcStoreAccumulatorStateKeyNumberBase)},
                        {ownedValue(CalcStoreAccumulatorStateKeyGeneralValue)},
                        makeRecord<AccumulatorState>});
    entities.push_back(
        {std::string(CalcStoreGeneralValueEntityName),
         {int32Attribute(CalcStoreGeneralValueKeyType),
          {std::string(CalcStoreGeneralValueKeyBaseValue), AttributeType::Int64},
          {std::string(CalcStoreGeneralValueKeyRealValue), AttributeType::Double},
          int32Attribute(CalcStoreGeneralValueKeyStyle)},
         {parent(CalcStoreGeneralValueKeyParentHistoryStepGeneralValue1, CalcStoreHistoryStepEntityName),
          parent(CalcStoreGeneralValueKeyParentHistoryStepGeneralValue2, CalcStoreHistoryStepEntityName),
          parent(CalcStoreGeneralValueKeyParentHistoryStepGeneralValueResult, CalcStoreHistoryStepEntityName),
          parent(CalcStoreGeneralValueKeyParentFavourite, CalcStoreFavouriteEntityName)},
         makeRecord<GeneralValue>});
    return ManagedObjectModel(std::move(entities));
}
