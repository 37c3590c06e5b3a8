#include "Classes/SecondButtonViewController.h"

#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include "Platform/Core/Log.h"
#include "Platform/UI/ImageStore.h"

SecondButtonViewController::SecondButtonViewController(QWidget* parent) : QWidget(parent) { viewDidLoad(); }

SecondButtonViewController::~SecondButtonViewController() { releaseAll(); }

void SecondButtonViewController::viewDidLoad() {
    scrollView_ = new QScrollArea(this);
    scrollView_->setFrameShape(QFrame::NoFrame);
    scrollView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollView_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollView_->setWidgetResizable(false);
    scrollView_->setFocusPolicy(Qt::NoFocus);
    QPalette palette = scrollView_->palette();
    palette.setBrush(QPalette::Window, ImageStore::colorWithPatternImage(ImageStore::imageNamed("backgroundCalc.png")));
    scrollView_->setPalette(palette);
    scrollView_->setAutoFillBackground(true);
    scrollView_->viewport()->setAutoFillBackground(false);
}

void SecondButtonViewController::releaseAll() {}

void SecondButtonViewController::didReceiveMemoryWarning() {
    Log::line("SecondButtonViewController didReceiveMemoryWarning");
}

void SecondButtonViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scrollView_->setGeometry(rect());
}
