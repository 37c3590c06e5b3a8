#include "Classes/RealNumberView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"
#include "Utils/NumberUtils.h"

namespace {
constexpr qreal kMinimumFontSize = 2.0;
qreal whole(qreal x) { return std::trunc(x); }
}  // namespace

RealNumberView::RealNumberView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void RealNumberView::updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format) {
    displayCalcValue = value;
    displayFormat = format;
    update();
}

NumberTextRuns RealNumberView::layoutRuns(QSizeF size) const {
    if (!displayCalcValue || displayCalcValue->type() != CalcValueTypeReal) return {};
    const CalcValueFormat format = displayFormat.value_or(CalcValueFormat{});
    const CalcValueStrings strings = NumberUtils::stringsFromCalcValue(*displayCalcValue, &format);
    const QString mantissa = QString::fromStdString(strings[0]);
    const QString exponent = QString::fromStdString(strings[1]);
    const qreal W = size.width();
    const qreal H = size.height();

    const QString main = exponent.isEmpty() ? mantissa : mantissa + QStringLiteral("x10");
    const qreal fs = fittingBoldFontSize(main + exponent, maxFontSize, kMinimumFontSize, W, *this);
    const QFontMetricsF metrics(SystemFont::boldSystemFontOfSize(fs, *this), this);
    const qreal fh = metrics.height();
    const qreal rw = metrics.horizontalAdvance(main);
    qreal ew = 0;
    qreal eh = 0;
    if (!exponent.isEmpty()) {
        const QFontMetricsF exponentMetrics(SystemFont::boldSystemFontOfSize(fs * 2 / 3, *this), this);
        ew = exponentMetrics.horizontalAdvance(exponent);
        eh = exponentMetrics.height();
    }
    const qreal total = rw + ew;
    qreal x = 0;
    if (textAlignment == NumberTextAlignmentCentre) x = whole((W - total) / 2);
    if (textAlignment == NumberTextAlignmentRight) x = whole(W - total);
    const qreal y = whole((H - fh) / 2);

    NumberTextRuns runs;
    runs.push_back({main, QRectF(x, y, total, fh), fs, false});
    if (!exponent.isEmpty()) {
        const qreal ex = textAlignment == NumberTextAlignmentRight ? whole(W - ew) : whole(x + rw);
        // The exponent is raised by a fifth of the font size.
        runs.push_back({exponent, QRectF(ex, y - fs / 5, ew, eh), fs * 2 / 3, false});
    }
    return runs;
}

void RealNumberView::paintEvent(QPaintEvent*) {
    if (!displayCalcValue || displayCalcValue->type() != CalcValueTypeReal) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal scale = PointScale::factor();
    painter.scale(scale, scale);
    drawNumberTextRuns(painter, layoutRuns(QSizeF(width() / scale, height() / scale)), textColour, *this);
}
