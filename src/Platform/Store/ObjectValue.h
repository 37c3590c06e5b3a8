#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// A date as the store keeps it: an instant, written and read back to the nanosecond.
using ObjectDate = std::chrono::system_clock::time_point;

// One attribute value of a stored record. An unset attribute holds std::monostate.
using ObjectValue = std::variant<std::monostate, int32_t, int64_t, double, bool, ObjectDate, std::string>;

enum class AttributeType { Int32, Int64, Double, Boolean, Date, String };
