#pragma once

#include <QMenu>
#include <QPointer>
#include <QRect>
#include <string_view>

class QMenu;
class QWidget;

// "Will show" is posted through the notification centre just before the edit menu appears.
constexpr std::string_view EditMenuNotificationWillShowMenu = "EditMenuNotificationWillShowMenu";

enum class EditMenuAction { Copy, Paste };

// The widget the edit menu's actions are asked of, as the first responder would be.
class EditMenuTarget {
public:
    virtual ~EditMenuTarget() = default;
    virtual bool canPerformAction(EditMenuAction action) = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
};

// The one Copy/Paste menu, shown beside a rectangle of a widget for the current target.
class EditMenu {
public:
    static EditMenu& sharedMenu();

    void setTargetRect(const QRect& rect, QWidget* view);
    // Showing asks the target which actions to offer; a target that offers none gets no menu.
    void setMenuVisible(bool visible, EditMenuTarget* target);
    bool isMenuVisible() const;
    // The open menu, or none; tests trigger its actions.
    QMenu* menu() const { return menu_; }
    // The target goes away: the menu closes if it was showing for it.
    void forgetTarget(EditMenuTarget* target);

private:
    EditMenu() = default;
    QRect targetRect_;
    QPointer<QWidget> view_;
    QPointer<QMenu> menu_;
    EditMenuTarget* target_ = nullptr;
};
