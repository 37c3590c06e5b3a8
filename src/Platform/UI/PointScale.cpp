#include "Platform/UI/PointScale.h"

namespace {
qreal pointScaleFactor = 1.0;
}

qreal PointScale::factor() { return pointScaleFactor; }

void PointScale::setFactor(qreal factor) {
    if (factor > 0) pointScaleFactor = factor;
}
