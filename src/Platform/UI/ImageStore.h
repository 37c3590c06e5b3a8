#pragma once

#include <QBrush>
#include <QString>
#include <string_view>

#include "Platform/UI/Image.h"

// Images by name from the resources (":/images/<name>"). The names keep their ".png" ending
// even where the artwork is drawn as SVG; SVG is rendered at the screen's pixel density.
class ImageStore {
public:
    // A null image when the resources hold no image of that name.
    static Image imageNamed(std::string_view name);
    // The named SVG drawn to fill the given size in points (key faces, backgrounds).
    static Image imageNamed(std::string_view name, QSizeF size);
    static bool hasImageNamed(std::string_view name);

    // A brush that tiles the image from the painted widget's top left, at its size in points.
    static QBrush colorWithPatternImage(const Image& image);

    // Drops rendered images from memory, for a change of point scale or pixel ratio.
    static void clearCache();
    // Reads rendered images from this folder where an earlier run kept them. Until the cache
    // is opened, and once it is closed, images are drawn and kept in memory only.
    static void openDiskCache(const QString& directory);
    // Writes the images drawn since the cache was opened to its folder, for the next start, and
    // keeps there only the sets of the last few scales read or drawn at.
    static void closeDiskCache();
    // Pixels per point for images made now: the screen's pixel ratio times the point scale.
    static qreal currentScale();
    // The pixel ratio of the screen the window is on; the primary screen's until it is set.
    static void setDevicePixelRatio(qreal ratio);
};
