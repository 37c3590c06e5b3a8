#pragma once

#include <QColor>
#include <QSizeF>
#include <QWidget>
#include <string>

// Text drawn in points in the system font: a size, bold or not, a colour, an optional shadow,
// an alignment, wrapping over lines if asked, on a ground tiled from an image if one is named.
// A screen reader reads it as static text.
class UILabel : public QWidget {
    Q_OBJECT

public:
    explicit UILabel(const QString& text = QString(), QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    void setFontSize(qreal points, bool bold = false);
    void setTextColor(const QColor& colour);
    // An invalid colour draws no shadow; the offset is in points.
    void setShadowColor(const QColor& colour, QSizeF offset = QSizeF(0, -1));
    void setTextAlignment(Qt::Alignment alignment);
    void setWordWrap(bool wraps);
    void setBackgroundImageNamed(const std::string& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    qreal fontSize_ = 17;
    bool bold_ = false;
    QColor textColour_ = Qt::black;
    QColor shadowColour_;
    QSizeF shadowOffset_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool wraps_ = false;
    std::string backgroundImageName_;
};
