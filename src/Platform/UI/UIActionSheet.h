#pragma once

#include <QStringList>

#include "Platform/UI/ModalOverlay.h"

class UIActionSheet;

class UIActionSheetDelegate {
public:
    virtual ~UIActionSheetDelegate() = default;
    virtual void actionSheetClickedButtonAtIndex(UIActionSheet& actionSheet, int buttonIndex) = 0;
};

// A choice that slides up from the bottom of the window: an optional title, the destructive
// button (red) first, the other buttons, and the cancel button last, set apart. The buttons
// are numbered in that order, so with a destructive and a cancel button the destructive one is
// 0 and Cancel is 1. The keyboard starts on Cancel, so that Enter alone destroys nothing. The
// sheet deletes itself once it has answered.
class UIActionSheet : public ModalOverlay {
    Q_OBJECT

public:
    UIActionSheet(const QString& title, UIActionSheetDelegate* delegate, const QString& cancelButtonTitle,
                  const QString& destructiveButtonTitle, const QStringList& otherButtonTitles = {});

    void showInView(QWidget* view);
    QString title() const { return title_; }
    int cancelButtonIndex() const override { return cancelButtonIndex_; }
    int destructiveButtonIndex() const { return destructiveButtonIndex_; }

protected:
    void layoutPanel(qreal presentation) override;
    void paintPanel(QPainter& painter, qreal presentation) override;
    void answer(int buttonIndex) override;

private:
    // The panel in points of the canvas.
    QRectF panelRect(qreal presentation) const;
    qreal panelHeight() const;

    QString title_;
    UIActionSheetDelegate* delegate_;
    int cancelButtonIndex_ = -1;
    int destructiveButtonIndex_ = -1;
};
