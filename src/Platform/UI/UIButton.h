#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>
#include <array>
#include <functional>
#include <string>

#include "Platform/UI/Image.h"

enum class UIControlState { Normal = 0, Highlighted = 1, Disabled = 2 };

// A key of the calculator: a face image, a title and an image for each state, drawn in points.
// It reports the touch events of a phone's button, followed from the press through every move
// to the release: touch down once per press, drag exit and drag enter as the pointer leaves and
// comes back, up inside or up outside where it is lifted, and cancelled (when a strip starts
// to scroll under the finger). Tab reaches it, without a click taking the focus from the key
// the keyboard is on; Space or Enter presses it, and a brass ring shows it has the focus.
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

    // What holding the key does (switch signed and unsigned, open Copy and Paste, assign a
    // favourite), offered also to the keyboard (the context-menu key, Shift+F10, a right-click)
    // and to screen readers as a second action under the name given.
    void setHoldAction(const QString& name, std::function<void()> action);
    bool hasHoldAction() const { return static_cast<bool>(holdAction_); }
    QString holdActionName() const { return holdActionName_; }
    // False when the key has no hold or is disabled.
    bool performHoldAction();

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
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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
    QString holdActionName_;
    std::function<void()> holdAction_;
    // Qt drops isDown() while the pointer is off the key; the touch itself goes on until the
    // release, so it is followed here.
    bool isTracking_ = false;
    bool isTouchInside_ = false;
    bool touchCancelled_ = false;
};
