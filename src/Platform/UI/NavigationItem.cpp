#include "Platform/UI/NavigationItem.h"

namespace {

// A replaced widget goes with the screen, as the one that replaces it will.
void adopt(QWidget* owner, QWidget* widget) {
    if (!widget) return;
    widget->hide();
    widget->setParent(owner);
}

}  // namespace

NavigationItem::NavigationItem(QWidget* owner) : QObject(owner), owner_(owner) {}

void NavigationItem::setTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    emit changed();
}

void NavigationItem::setTitleView(QWidget* titleView) {
    if (titleView == titleView_) return;
    if (titleView_) titleView_->hide();
    titleView_ = titleView;
    if (titleView_ && !titleView_->parent()) adopt(owner_, titleView_);
    emit changed();
}

void NavigationItem::setRightBarButtonItem(QWidget* button) {
    if (button == rightBarButtonItem_) return;
    if (rightBarButtonItem_) rightBarButtonItem_->hide();
    rightBarButtonItem_ = button;
    if (rightBarButtonItem_ && !rightBarButtonItem_->parent()) adopt(owner_, rightBarButtonItem_);
    emit changed();
}

void NavigationItem::setHidesBackButton(bool hides) {
    if (hides == hidesBackButton_) return;
    hidesBackButton_ = hides;
    emit changed();
}
