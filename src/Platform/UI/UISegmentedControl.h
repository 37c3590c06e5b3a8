#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>

// A two-segment switch in the navigation bar, drawn in points: the selected segment is lit,
// the other dark. Choosing a segment with the mouse or a finger reports valueChanged; setting
// it from code does not.
class UISegmentedControl : public QWidget {
    Q_OBJECT

public:
    explicit UISegmentedControl(QWidget* parent = nullptr);

    int selectedSegmentIndex() const { return selectedSegmentIndex_; }
    void setSelectedSegmentIndex(int index);
    void setTitleForSegmentAtIndex(const QString& title, int index);
    QString titleForSegmentAtIndex(int index) const;
    void setTintColor(const QColor& colour);
    // The rectangle of a segment in this widget's pixels, for tests and the layout.
    QRect segmentRect(int index) const;

signals:
    void valueChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int segmentAt(QPointF position) const;

    std::array<QString, 2> titles_;
    QColor tintColour_ = QColor(80, 80, 80);
    int selectedSegmentIndex_ = 0;
    int pressedSegment_ = -1;
};
