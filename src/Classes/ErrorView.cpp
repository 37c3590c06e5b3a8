#include "Classes/ErrorView.h"

#include <QLabel>
#include <string>

#include "Calculator/Operators.h"
#include "Classes/QuilletColours.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"

namespace {
constexpr qreal kLargestSize = 20.0;
constexpr qreal kSmallestSize = 2.0;
}  // namespace

ErrorView::ErrorView(QWidget* parent) : QWidget(parent), mainLabel_(new QLabel(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    mainLabel_->setAlignment(Qt::AlignCenter);
    mainLabel_->setAttribute(Qt::WA_TranslucentBackground);
    mainLabel_->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(QuilletColours::lcdTextColour().name()));
    fitLabel();
}

void ErrorView::updateWithError(OperatorsError error) {
    std::string_view message = Operators::messageFromOperatorsError(error);
    if (error < OperatorsErrorValueOutOfRange || error > OperatorsErrorIntegerSize64) message = "Unknown error";
    mainLabel_->setText(QString::fromStdString(Localized::string(message)));
    fitLabel();
}

void ErrorView::resizeEvent(QResizeEvent*) { fitLabel(); }

void ErrorView::fitLabel() {
    mainLabel_->setGeometry(rect());
    const qreal scale = PointScale::factor();
    const qreal widthInPoints = width() / scale;
    // The label's font is in pixels of the screen, unlike the painters that paint in points.
    const qreal fitted =
        fittingFontSize(mainLabel_->text(), kLargestSize, kSmallestSize, widthInPoints, *mainLabel_, false);
    mainLabel_->setFont(SystemFont::systemFontOfSize(fitted * scale, *mainLabel_));
}
