#pragma once

#include <string_view>

// Entity and attribute names of the store file; each constant's text is the stored name.
inline constexpr std::string_view CalcStoreGlobalDataEntityName = "GlobalData";
inline constexpr std::string_view CalcStoreGlobalDataKeyNextHistoryStep = "nextHistoryStepIndex";

inline constexpr std::string_view CalcStoreHistoryStepEntityName = "HistoryStep";
inline constexpr std::string_view CalcStoreHistoryStepKeyDate = "date";
inline constexpr std::string_view CalcStoreHistoryStepKeyIndex = "index";
inline constexpr std::string_view CalcStoreHistoryStepKeyError = "error";
inline constexpr std::string_view CalcStoreHistoryStepKeyOperator = "operator";
inline constexpr std::string_view CalcStoreHistoryStepKeyTextCacheLHS = "textCacheLHS";
inline constexpr std::string_view CalcStoreHistoryStepKeyTextCacheRHS = "textCacheRHS";
inline constexpr std::string_view CalcStoreHistoryStepKeyGeneralValue1 = "generalValue1";
inline constexpr std::string_view CalcStoreHistoryStepKeyGeneralValue2 = "generalValue2";
inline constexpr std::string_view CalcStoreHistoryStepKeyGeneralValueResult = "generalValueResult";

inline constexpr std::string_view CalcStoreFavouriteEntityName = "Favourite";
inline constexpr std::string_view CalcStoreFavouriteKeyIndex = "index";
inline constexpr std::string_view CalcStoreFavouriteKeyOperator = "operator";
inline constexpr std::string_view CalcStoreFavouriteKeyGeneralValue = "generalValue";

inline constexpr std::string_view CalcStoreQuickOperatorEntityName = "QuickOperator";
inline constexpr std::string_view CalcStoreQuickOperatorKeyIndex = "index";
inline constexpr std::string_view CalcStoreQuickOperatorKeyOperator = "operator";

inline constexpr std::string_view CalcStoreOpStepEntityName = "OpStep";
inline constexpr std::string_view CalcStoreOpStepKeyIndex = "index";
inline constexpr std::string_view CalcStoreOpStepKeyOperator = "operator";
inline constexpr std::string_view CalcStoreOpStepKeyGeneralValue = "generalValue";

inline constexpr std::string_view CalcStoreAccumulatorStateEntityName = "AccumulatorState";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyState = "state";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyCurrError = "currError";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyCurrOperator = "currOperator";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyDecimalPointDivider = "decimalPointDivider";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyExponent = "exponent";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyHasExponent = "hasExponent";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyNumberBase = "numberBase";
inline constexpr std::string_view CalcStoreAccumulatorStateKeyGeneralValue = "generalValue";

inline constexpr std::string_view CalcStoreGeneralValueEntityName = "GeneralValue";
inline constexpr std::string_view CalcStoreGeneralValueKeyType = "type";
inline constexpr std::string_view CalcStoreGeneralValueKeyBaseValue = "baseValue";
inline constexpr std::string_view CalcStoreGeneralValueKeyRealValue = "realValue";
inline constexpr std::string_view CalcStoreGeneralValueKeyStyle = "style";
inline constexpr std::string_view CalcStoreGeneralValueKeyParentHistoryStepGeneralValue1 =
    "parentHistoryStepGeneralValue1";
inline constexpr std::string_view CalcStoreGeneralValueKeyParentHistoryStepGeneralValue2 =
    "parentHistoryStepGeneralValue2";
inline constexpr std::string_view CalcStoreGeneralValueKeyParentHistoryStepGeneralValueResult =
    "parentHistoryStepGeneralValueResult";
inline constexpr std::string_view CalcStoreGeneralValueKeyParentFavourite = "parentFavourite";
