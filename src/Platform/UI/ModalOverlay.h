#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

class QPropertyAnimation;
class UIButton;

// The ground of an action sheet or an alert: it dims the whole window, takes every click and
// every key while it is shown, and keeps the keyboard on its own buttons (arrows and Tab move
// between them, Enter or Space presses one, Escape presses the cancel button). A click or a key
// on a button answers once; the overlay then fades out and deletes itself. Laid out in points
// on the window's canvas.
class ModalOverlay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal presentation READ presentation WRITE setPresentation)

public:
    ~ModalOverlay() override;

    // Answers as if the button had been pressed.
    void dismissWithClickedButtonIndex(int buttonIndex, bool animated);
    int numberOfButtons() const { return static_cast<int>(buttons_.size()); }
    QString buttonTitleAtIndex(int buttonIndex) const;
    UIButton* buttonAtIndex(int buttonIndex) const;
    // The button Escape presses, or -1.
    virtual int cancelButtonIndex() const = 0;
    bool isAnswered() const { return answered_; }
    int keyboardButtonIndex() const { return keyboardButtonIndex_; }

    // True while an overlay that has not answered yet covers the widget's window (and the
    // widget is not part of it).
    static bool isShownOver(const QWidget* widget);

protected:
    explicit ModalOverlay(QWidget* parent = nullptr);

    // Buttons are numbered in the order they are added.
    UIButton* addButton(const QString& title, const std::string& faceName, const std::string& pressedFaceName);
    void showOver(QWidget* view, int focusedButtonIndex, double seconds);
    // The window's phone-sized canvas in points, and the factor from points to this widget's pixels.
    QRectF canvasInPoints() const;
    QPointF canvasOrigin() const;
    qreal presentation() const { return presentation_; }

    // Places the panel and its buttons for a presentation from 0 (hidden) to 1 (shown).
    virtual void layoutPanel(qreal presentation) = 0;
    virtual void paintPanel(QPainter& painter, qreal presentation) = 0;
    // Tells the delegate; the overlay goes away afterwards.
    virtual void answer(int buttonIndex) = 0;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setPresentation(qreal presentation);
    bool handleKey(QKeyEvent* event);
    void moveFocus(int step);

    std::vector<UIButton*> buttons_;
    QPropertyAnimation* animation_;
    qreal presentation_ = 0;
    bool answered_ = false;
    // The button the keyboard would press, marked with a ring.
    int keyboardButtonIndex_ = -1;
    QPointer<QWidget> previousFocus_;
};
