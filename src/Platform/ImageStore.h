#pragma once

#include <QBrush>
#include <QString>
#include <string_view>

#include "Platform/Image.h"

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
    // Keeps rendered images in this folder too, for the next start; empty (as at first) keeps
    // them in memory only.
    static void setDiskCacheDirectory(const QString& directory);
    // Pixels per point for images made now: the screen's pixel ratio times the point scale.
    static qreal currentScale();
};
