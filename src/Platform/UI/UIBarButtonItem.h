#pragma once

#include <QAbstractButton>

#include "Platform/UI/Image.h"

enum class UIBarButtonItemStyle { Plain, Bordered, Done, Back };

// A button of a navigation bar or a toolbar, drawn in points: a title or an image on a dark
// glossy face (Bordered), a brass face for the button that ends a screen (Done), a face
// pointed on its left for the way back (Back), or no face at all (Plain). The bar sizes it
// by preferredWidth() and gives it the bar's button height. Tab reaches it; Space or Enter
// presses it.
class UIBarButtonItem : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr qreal UIBarButtonItemHeight = 30.0;

    UIBarButtonItem(const QString& title, UIBarButtonItemStyle style, QWidget* parent = nullptr);
    UIBarButtonItem(const Image& image, UIBarButtonItemStyle style, QWidget* parent = nullptr);

    UIBarButtonItemStyle style() const { return style_; }
    QString title() const { return text(); }
    void setTitle(const QString& title);
    const Image& image() const { return image_; }
    // In points: room for the title or the image and the face's margins.
    qreal preferredWidth() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    UIBarButtonItemStyle style_;
    Image image_;
};
