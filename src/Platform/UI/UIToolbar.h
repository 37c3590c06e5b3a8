#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

// A bar of buttons at the foot of a screen, in the navigation bar's gloss. Its items stand left
// to right; a null item is a flexible space, and the spaces share the room the buttons leave.
// The toolbar takes the items.
class UIToolbar : public QWidget {
    Q_OBJECT

public:
    static constexpr qreal UIToolbarHeight = 44.0;

    explicit UIToolbar(QWidget* parent = nullptr);

    void setItems(const std::vector<QWidget*>& items);
    const std::vector<QWidget*>& items() const { return items_; }
    void setTintColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutItems();

    std::vector<QWidget*> items_;
    QColor tintColour_ = Qt::black;
};
