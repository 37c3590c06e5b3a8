#include "Menus/IntegerViewController.h"

#include <QLineEdit>
#include <QPainter>

#include "Menus/IntegerViewControllerDelegate.h"
#include "Menus/SettingsLogic.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/SystemFont.h"
#include "Platform/UI/UILabel.h"

namespace {

// The layout in points, on a view 320 points wide: the field spans the view less its margins.
constexpr qreal kMargin = 20.0;
constexpr qreal kFieldTop = 30.0;
constexpr qreal kFieldHeight = 50.0;
constexpr qreal kFieldTextSize = 28.0;
constexpr qreal kBoundsGap = 10.0;
constexpr qreal kBoundsHeight = 20.0;

}  // namespace

IntegerViewController::IntegerViewController(QWidget* parent)
    : ViewController(parent), textField_(new QLineEdit(this)), boundsLabel_(new UILabel(QString(), this)) {
    textField_->setAlignment(Qt::AlignCenter);
    textField_->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    textField_->setFrame(false);
    // Enter leaves the entry as the back button does; the text is read on the way out.
    connect(textField_, &QLineEdit::returnPressed, this, [this] {
        if (NavigationController* stack = navigationController()) stack->goBack(true);
    });
    setFocusProxy(textField_);
    boundsLabel_->setFontSize(15);
    boundsLabel_->setTextColor(QColor(0x6b, 0x5d, 0x49));
    boundsLabel_->setShadowColor(QColor(255, 255, 255, 160), QSizeF(0, 1));
    boundsLabel_->setTextAlignment(Qt::AlignCenter);
}

void IntegerViewController::viewDidLoad() {
    textField_->setText(QString::number(intValue_));
    const std::string range = Localized::string("From %1 to %2");
    boundsLabel_->setText(QString::fromStdString(range).arg(minIntValue_).arg(maxIntValue_));
    textField_->setAccessibleDescription(boundsLabel_->text());
    layoutForScale();
}

void IntegerViewController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    // Typing replaces the number shown.
    textField_->setFocus(Qt::OtherFocusReason);
    textField_->selectAll();
}

void IntegerViewController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    if (isCancelled_) return;
    intValue_ = SettingsLogic::integerFromText(textField_->text().toStdString(), minIntValue_, maxIntValue_);
    if (delegate_) delegate_->integerViewControllerDidEnterInteger(*this, intValue_);
}

void IntegerViewController::resizeEvent(QResizeEvent* event) {
    ViewController::resizeEvent(event);
    layoutForScale();
}

void IntegerViewController::layoutForScale() {
    const qreal width = PointScale::pointsFromPixels(this->width());
    const qreal fieldWidth = std::max(0.0, width - 2 * kMargin);
    textField_->setGeometry(PointGeometry::pixelRectFromPoints(kMargin, kFieldTop, fieldWidth, kFieldHeight));
    boundsLabel_->setGeometry(
        PointGeometry::pixelRectFromPoints(kMargin, kFieldTop + kFieldHeight + kBoundsGap, fieldWidth, kBoundsHeight));
    const qreal factor = PointScale::factor();
    textField_->setFont(SystemFont::boldSystemFontOfSize(kFieldTextSize * factor, *textField_));
    // A white well with a hairline rim and the brass of the table's highlight for the selection.
    textField_->setStyleSheet(QStringLiteral("QLineEdit { background: #fdfbf6; color: #2b2620; "
                                             "border: %1px solid #bfb298; border-radius: %2px; padding: 0 %3px; "
                                             "selection-background-color: #b48a4b; selection-color: white; }")
                                  .arg(std::max(1, qRound(factor)))
                                  .arg(qRound(9 * factor))
                                  .arg(qRound(10 * factor)));
}

void IntegerViewController::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ImageStore::colorWithPatternImage(ImageStore::imageNamed("backgroundMenu.png")));
}
