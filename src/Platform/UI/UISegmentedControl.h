#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>

#include "Platform/UI/AccessibilityContainer.h"

// A two-segment switch in the navigation bar, drawn in points: the selected segment is lit,
// the other dark. Choosing a segment with the mouse, a finger, the keyboard (Tab reaches it;
// Left and Right choose a side, Space or Enter the other one) or a screen reader reports
// valueChanged; setting it from code does not. A screen reader finds two choices named after
// the segments' titles, the selected one checked.
class UISegmentedControl : public QWidget, public AccessibilityContainer {
    Q_OBJECT

public:
    explicit UISegmentedControl(QWidget* parent = nullptr);

    int selectedSegmentIndex() const { return selectedSegmentIndex_; }
    void setSelectedSegmentIndex(int index);
    // As a person choosing it: reports valueChanged when the selection changes.
    void chooseSegmentAtIndex(int index);
    void setTitleForSegmentAtIndex(const QString& title, int index);
    QString titleForSegmentAtIndex(int index) const;
    void setTintColor(const QColor& colour);
    // The rectangle of a segment in this widget's pixels, for tests and the layout.
    QRect segmentRect(int index) const;

    int accessibilityElementCount() const override;
    QString accessibilityElementLabel(int index) const override;
    AccessibilityTraits accessibilityElementTraits(int index) const override;
    QRect accessibilityElementFrame(int index) const override;
    void accessibilityElementActivate(int index) override;
    bool accessibilityElementsAreChoices() const override { return true; }

signals:
    void valueChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int segmentAt(QPointF position) const;
    // A title without the marks that show the lit side.
    QString spokenTitle(int index) const;

    std::array<QString, 2> titles_;
    QColor tintColour_ = QColor(80, 80, 80);
    int selectedSegmentIndex_ = 0;
    int pressedSegment_ = -1;
    // The name this control gave itself from its titles, until a screen names it.
    QString ownName_;
};
