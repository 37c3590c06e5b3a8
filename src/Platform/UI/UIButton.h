#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>
#include <array>
#include <string>

#include "Platform/UI/Image.h"

enum class UIControlState { Normal = 0, Highlighted = 1, Disabled = 2 };

// A key of the calculator: a face image, a title and an image for each state, drawn in points.
// It reports the touch events of a phone's button, followed from the press through every move
// to the release: touch down once per press, drag exit and drag enter as the pointer leaves and
// comes back, up inside or up outside where it is lifted, and cancelled (when a strip starts
// to scroll under the finger).
class UIButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit UIButton(QWidget* parent = nullptr);

    void setTitle(const QString& title, UIControlState state = UIControlState::Normal);
    QString title(UIControlState state = UIControlState::Normal) const;
    // The title of the present state, falling back to the normal one.
    QString currentTitle() const;
    void setTitleColor(const QColor& colour, UIControlState state = UIControlState::Normal);
    // A null image clears it.
    void setImage(const Image& image, UIControlState state = UIControlState::Normal);
    Image image(UIControlState state = UIControlState::Normal) const;
    // The face, by resource name, drawn to fill the key; empty for none.
    void setBackgroundImageNamed(const std::string& name, UIControlState state = UIControlState::Normal);
    void setTitleFontSize(qreal points, bool bold = true);

    UIControlState controlState() const;

    // Ends the current touch without an action: the key pops up and touchCancel is reported.
    virtual void cancelTouch();
    bool isTouchCancelled() const { return touchCancelled_; }

    QSize sizeHint() const override;

signals:
    void touchDown();
    // The pointer left the key, or came back onto it, while pressed; a hold is over once it leaves.
    void touchDragExit();
    void touchDragEnter();
    void touchUpInside();
    void touchUpOutside();
    void touchCancel();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Paints the face, image and title; subclasses draw over it.
    void paintButton(QPainter& painter, const QRectF& bounds);

private:
    template <typename T>
    const T& forState(const std::array<T, 3>& values, bool (*isSet)(const T&)) const;

    std::array<QString, 3> titles_;
    std::array<QColor, 3> titleColours_;
    std::array<Image, 3> images_;
    std::array<std::string, 3> backgroundNames_;
    qreal titleFontSize_ = 24;
    bool titleBold_ = true;
    // Qt drops isDown() while the pointer is off the key; the touch itself goes on until the
    // release, so it is followed here.
    bool isTracking_ = false;
    bool isTouchInside_ = false;
    bool touchCancelled_ = false;
};
