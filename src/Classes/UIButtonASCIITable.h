#pragma once

#include <QRectF>
#include <cstdint>
#include <memory>
#include <optional>

#include "Platform/UI/AccessibilityContainer.h"
#include "Platform/UI/UIButton.h"

// The 128 codes of 7-bit ASCII as a grid of 8 columns and 16 rows, drawn entirely by itself in
// points: each cell shows its character (or control name) and its code in the number base. The
// pressed cell is the selection. A press selects the cell under it; screen readers find one
// element per cell. From the keyboard the arrows move the selection, with a brass ring, and
// Space or Enter enters its code.
class UIButtonASCIITable : public UIButton, public AccessibilityContainer {
    Q_OBJECT

public:
    static constexpr int32_t UIButtonASCIITableNoSelection = -1;

    // The frame is in points; the widget takes it in pixels of the present point scale.
    explicit UIButtonASCIITable(const QRectF& frame, QWidget* parent = nullptr);
    ~UIButtonASCIITable() override;

    QRectF frame() const { return frame_; }
    // Also lays the widget out again for the present point scale.
    void setFrame(const QRectF& frame);

    int32_t selectedASCIIValue() const { return selectedASCIIValue_; }
    // Redraws only the old and the new cell.
    void setSelectedASCIIValue(int32_t selectedASCIIValue);
    int32_t numberBase() const { return numberBase_; }
    // Redraws the whole table.
    void setNumberBase(int32_t numberBase);

    // In points of the table: cells are the frame's width / 8 by its height / 16, whole points.
    QRectF rectForASCIIValue(int32_t asciiValue) const;
    // The code of the cell under a point of the table, none off the grid.
    std::optional<int32_t> asciiValueAtPoint(QPointF point) const;

    // Tells screen readers that the cells moved (the table scrolled).
    void recalculateAccessibility();

    int accessibilityElementCount() const override;
    QString accessibilityElementLabel(int index) const override;
    AccessibilityTraits accessibilityElementTraits(int index) const override;
    QRect accessibilityElementFrame(int index) const override;
    void accessibilityElementActivate(int index) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct CellFonts;

    QSizeF cellSize() const;
    // The pixels a cell covers at the present point scale.
    QRect pixelRectForASCIIValue(int32_t asciiValue) const;
    void drawCell(QPainter& painter, int32_t asciiValue, const Image& background) const;
    void restoreSelectionBeforeTouch();

    QRectF frame_;
    int32_t selectedASCIIValue_ = 32;
    int32_t numberBase_ = 2;
    // A touch that ends without a tap (scrolled away, released outside) gives back the cell the
    // calculator's value presses.
    int32_t selectionBeforeTouch_ = UIButtonASCIITableNoSelection;
    // Made on the first paint for the frame and the base.
    std::unique_ptr<CellFonts> fonts_;
};
