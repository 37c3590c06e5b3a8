#pragma once

#include <QWidget>

#include "Platform/UI/Image.h"

// Shows one image stretched to its frame, drawn in points so that it stays sharp. Touches go
// through it to the widget below unless told otherwise.
class ImageView : public QWidget {
    Q_OBJECT

public:
    explicit ImageView(QWidget* parent = nullptr);

    void setImage(const Image& image);
    const Image& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Image image_;
};
