#pragma once

#include <QSize>
#include <string>
#include <vector>

class UIButton;

// A key's place on the keypad grid, in whole cells.
struct KeypadCell {
    int row;
    int column;
    int rowSpan;
    int columnSpan;
};

// Places keys on a grid of equal cells that fills the page, in points, so that the keypad
// keeps its proportions at any scale.
class KeypadLayout {
public:
    static constexpr int KeypadLayoutRows = 6;
    static constexpr int KeypadLayoutColumns = 5;
    static constexpr double KeypadLayoutMargin = 4.0;  // points around the grid
    static constexpr double KeypadLayoutGap = 4.0;     // points between keys

    static inline const std::string keyFaceDigit = "keyDigit.png";
    static inline const std::string keyFaceDigitPressed = "keyDigitPressed.png";
    static inline const std::string keyFaceFunction = "keyFunction.png";
    static inline const std::string keyFaceFunctionPressed = "keyFunctionPressed.png";
    static inline const std::string keyFaceOperator = "keyOperator.png";
    static inline const std::string keyFaceOperatorPressed = "keyOperatorPressed.png";
    static inline const std::string keyFaceClear = "keyClear.png";
    static inline const std::string keyFaceClearPressed = "keyClearPressed.png";
    static inline const std::string keyFaceEquals = "keyEquals.png";
    static inline const std::string keyFaceEqualsPressed = "keyEqualsPressed.png";

    void add(UIButton* key, KeypadCell cell);
    // The page's size in pixels.
    void layout(QSize pageSize) const;
    std::vector<UIButton*> keys() const;

private:
    struct Entry {
        UIButton* key;
        KeypadCell cell;
    };
    std::vector<Entry> entries_;
};
