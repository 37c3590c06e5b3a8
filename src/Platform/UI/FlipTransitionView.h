#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

// Turns one picture over to show another, about the vertical axis in perspective: the picture
// of the screen that goes on its front, the one that comes on its back. The back may be a
// widget, pictured when it first turns into view, once it has been laid out.
class FlipTransitionView : public QWidget {
    Q_OBJECT

public:
    enum Direction { FromRight, FromLeft };

    FlipTransitionView(QPixmap front, QPixmap back, Direction direction, QWidget* parent = nullptr);
    FlipTransitionView(QPixmap front, QWidget* back, Direction direction, QWidget* parent = nullptr);

    qreal progress() const { return progress_; }
    // 0 shows the front, 1 the back.
    void setProgress(qreal progress);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap front_;
    QPixmap back_;
    QPointer<QWidget> backView_;
    Direction direction_;
    qreal progress_ = 0;
};
