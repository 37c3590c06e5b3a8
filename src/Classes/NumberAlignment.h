#pragma once

#include <cstdint>

using NumberTextAlignment = int32_t;
constexpr NumberTextAlignment NumberTextAlignmentLeft = 0;
constexpr NumberTextAlignment NumberTextAlignmentCentre = 1;
constexpr NumberTextAlignment NumberTextAlignmentRight = 2;
