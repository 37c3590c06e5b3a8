#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

#include "Platform/UI/NavigationItem.h"

class QGraphicsOpacityEffect;
class QLabel;
class QPainter;
class UIBarButtonItem;

// The glossy bar at the top of a navigation stack, drawn in points. It shows the item of the
// screen on top: the way back on the left (titled with the previous screen's title), the title
// or title view in the middle and the right bar button.
class NavigationBar : public QWidget {
    Q_OBJECT

public:
    static constexpr qreal NavigationBarHeight = 44.0;

    explicit NavigationBar(QWidget* parent = nullptr);

    // A null back title offers no way back.
    void setItem(NavigationItem* item, const QString& backTitle);
    NavigationItem* item() const { return item_; }
    void setTintColor(const QColor& colour);
    // The title shown in the middle when the item has no title view.
    QString title() const;
    UIBarButtonItem* backButton() const { return backButton_; }
    // While the screens slide, the bar's former picture fades out over its new items.
    void crossFadeFrom(const QPixmap& previous);
    void setCrossFadeProgress(qreal progress);
    void endCrossFade();
    // The bar's gloss in the tint colour, in pixels; toolbars wear it too.
    static void paintBackground(QPainter& painter, const QRectF& bounds, const QColor& tint);

signals:
    void backButtonClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void itemChanged();
    void borrow(QWidget* widget);
    void giveBackWidgetsNotIn(const NavigationItem* item);
    void layoutItems();
    // The space the title may take between the buttons, in points.
    QRectF titleRect() const;

    QPointer<NavigationItem> item_;
    QString backTitle_;
    UIBarButtonItem* backButton_;
    QLabel* previousPicture_;
    QGraphicsOpacityEffect* previousOpacity_;
    // The widgets shown here for the item, each with the widget it came from.
    std::vector<std::pair<QPointer<QWidget>, QPointer<QWidget>>> borrowed_;
    QColor tintColour_ = Qt::black;
};
