#pragma once

#include <QStringList>

#include "Platform/UI/ModalOverlay.h"

class UIAlertView;

class UIAlertViewDelegate {
public:
    virtual ~UIAlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(UIAlertView& alertView, int buttonIndex) = 0;
};

// A message in a panel in the middle of the window: a title, a message and its buttons, the
// cancel button first (index 0). Enter presses the first button, Escape the cancel button. The
// delegate may be null; the alert deletes itself once it has answered.
class UIAlertView : public ModalOverlay {
    Q_OBJECT

public:
    UIAlertView(const QString& title, const QString& message, UIAlertViewDelegate* delegate,
                const QString& cancelButtonTitle, const QStringList& otherButtonTitles = {});

    void showInView(QWidget* view);
    QString title() const { return title_; }
    QString message() const { return message_; }
    int cancelButtonIndex() const override { return cancelButtonIndex_; }

protected:
    void layoutPanel(qreal presentation) override;
    void paintPanel(QPainter& painter, qreal presentation) override;
    void answer(int buttonIndex) override;

private:
    QRectF panelRect() const;
    qreal messageHeight() const;

    QString title_;
    QString message_;
    UIAlertViewDelegate* delegate_;
    int cancelButtonIndex_ = -1;
};
