#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// What a screen shows in the navigation bar while it is on top of its stack: a title or a
// title view in the middle, a right bar button, and whether the way back is offered. The bar
// borrows the widgets while the screen is on top and gives them back to the item's owner
// (the screen) afterwards, so that they go with the screen.
class NavigationItem : public QObject {
    Q_OBJECT

public:
    explicit NavigationItem(QWidget* owner);

    QWidget* owner() const { return owner_; }
    QString title() const { return title_; }
    void setTitle(const QString& title);
    QWidget* titleView() const { return titleView_; }
    void setTitleView(QWidget* titleView);
    QWidget* rightBarButtonItem() const { return rightBarButtonItem_; }
    void setRightBarButtonItem(QWidget* button);
    bool hidesBackButton() const { return hidesBackButton_; }
    void setHidesBackButton(bool hides);

signals:
    void changed();

private:
    QWidget* owner_;
    QString title_;
    QPointer<QWidget> titleView_;
    QPointer<QWidget> rightBarButtonItem_;
    bool hidesBackButton_ = false;
};
