#pragma once

#include <QSize>
#include <vector>

class UIButton;

// A key's place on the keypad grid, in whole cells.
struct KeypadCell {
    int row;
    int column;
    int rowSpan;
    int columnSpan;
};

// The look of a key, by what it does.
enum class KeyFace { Digit, Function, Operator, Clear, Equals };

// Places keys on a grid of equal cells that fills the page, in points, so that the keypad
// keeps its proportions at any scale.
class KeypadLayout {
public:
    static constexpr int KeypadLayoutRows = 6;
    static constexpr int KeypadLayoutColumns = 5;
    static constexpr double KeypadLayoutMargin = 4.0;  // points around the grid
    static constexpr double KeypadLayoutGap = 4.0;     // points between keys

    // Gives the key the face of its kind, normal and pressed.
    static void setFace(UIButton* key, KeyFace face);

    void add(UIButton* key, KeypadCell cell);
    // The page's size in pixels.
    void layout(QSize pageSize) const;

private:
    struct Entry {
        UIButton* key;
        KeypadCell cell;
    };
    std::vector<Entry> entries_;
};
