#pragma once

#include <QColor>

#include "Platform/UI/Image.h"

// A flat silhouette of the image in one colour: every pixel takes the colour and keeps the
// source pixel's alpha. The result has the source's size and pixel density.
Image imageGreyscaleWithColor(const Image& image, const QColor& colour);
