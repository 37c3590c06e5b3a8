#include "Platform/UI/TimeScale.h"

#include <algorithm>
#include <cmath>

namespace {
double timeScaleFactor = 1.0;
}

double TimeScale::factor() { return timeScaleFactor; }

void TimeScale::setFactor(double factor) {
    if (factor > 0) timeScaleFactor = factor;
}

int TimeScale::milliseconds(double seconds) {
    return std::max(1, static_cast<int>(std::lround(seconds * 1000.0 * timeScaleFactor)));
}
