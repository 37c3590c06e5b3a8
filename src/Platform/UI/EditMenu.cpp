#include "Platform/UI/EditMenu.h"

#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include "Platform/Core/Localized.h"
#include "Platform/Core/NotificationCenter.h"

EditMenu& EditMenu::sharedMenu() {
    static EditMenu menu;
    return menu;
}

void EditMenu::setTargetRect(const QRect& rect, QWidget* view) {
    targetRect_ = rect;
    view_ = view;
}

bool EditMenu::isMenuVisible() const { return menu_ != nullptr && menu_->isVisible(); }

void EditMenu::setMenuVisible(bool visible, EditMenuTarget* target) {
    if (menu_ != nullptr) {
        menu_->close();
        menu_->deleteLater();
        menu_ = nullptr;
    }
    target_ = nullptr;
    if (!visible || target == nullptr || view_ == nullptr) return;

    auto* menu = new QMenu(view_->window());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool canCopy = target->canPerformAction(EditMenuAction::Copy);
    const bool canPaste = target->canPerformAction(EditMenuAction::Paste);
    if (canCopy) {
        menu->addAction(QString::fromStdString(Localized::string("Copy")),
                        [this] {
                            if (target_ != nullptr) target_->copy();
                        })
            ->setShortcut(QKeySequence::Copy);
    }
    if (canPaste) {
        menu->addAction(QString::fromStdString(Localized::string("Paste")),
                        [this] {
                            if (target_ != nullptr) target_->paste();
                        })
            ->setShortcut(QKeySequence::Paste);
    }
    if (!canCopy && !canPaste) {
        delete menu;
        return;
    }
    target_ = target;
    menu_ = menu;
    NotificationCenter::defaultCenter().post(EditMenuNotificationWillShowMenu);
    // Centred above the target rectangle, as a phone's edit menu stands over the text.
    const QSize menuSize = menu->sizeHint();
    const QPoint topCentre = view_->mapToGlobal(QPoint(targetRect_.center().x(), targetRect_.top()));
    menu->popup(QPoint(topCentre.x() - menuSize.width() / 2, topCentre.y() - menuSize.height()));
}

void EditMenu::forgetTarget(EditMenuTarget* target) {
    if (target_ == target) setMenuVisible(false, nullptr);
}
