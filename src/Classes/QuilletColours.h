#pragma once

#include <QColor>

// The palette shared by the calculator's widgets.
class QuilletColours {
public:
    // The ink of the LCD: the number, the word size, the error message and the operator icon.
    static QColor lcdTextColour() { return QColor(89, 91, 78); }
    // The values drawn on the favourite buttons.
    static QColor buttonTextColour() { return QColor(98, 57, 29); }
};
