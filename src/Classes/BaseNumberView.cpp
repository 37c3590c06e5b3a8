#include "Classes/BaseNumberView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "Platform/UI/PointScale.h"
#include "Platform/UI/SystemFont.h"
#include "Utils/NumberUtils.h"

namespace {
constexpr qreal kMinimumFontSize = 2.0;
// Below this the digits are shortened in the middle instead of drawn smaller.
constexpr qreal kSmallestReadableSize = 10.0;
constexpr qreal kTwoLineGap = 8.0;
constexpr qreal kTwoLineBottomMargin = 20.0;

qreal whole(qreal x) { return std::trunc(x); }

qreal alignedX(NumberTextAlignment alignment, qreal width, qreal total) {
    switch (alignment) {
        case NumberTextAlignmentLeft: return 0;
        case NumberTextAlignmentCentre: return whole((width - total) / 2);
        default: return whole(width - total);
    }
}
}  // namespace

BaseNumberView::BaseNumberView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BaseNumberView::updateWithCalcValue(const CalcValue& value, const CalcValueFormat& format) {
    displayCalcValue = value;
    displayFormat = format;
    update();
}

NumberTextRuns BaseNumberView::layoutRuns(QSizeF size) const {
    if (!displayCalcValue || !displayCalcValue->isInteger()) return {};
    const CalcValueFormat format = displayFormat.value_or(CalcValueFormat{});
    const CalcValueStrings strings = NumberUtils::stringsFromCalcValue(*displayCalcValue, &format);
    const QString digits = QString::fromStdString(strings[0]);
    const QString suffix = QString::fromStdString(strings[1]);
    if (format.style == CalcValueFormatStyleBin && allowTwoLines && digits.size() > BaseNumberViewTwoLineLength) {
        return twoLineRuns(digits, suffix, size);
    }
    return oneLineRuns(digits, suffix, size);
}

NumberTextRuns BaseNumberView::oneLineRuns(const QString& digits, const QString& suffix, QSizeF size) const {
    const qreal W = size.width();
    const qreal H = size.height();
    qreal fs = fittingBoldFontSize(digits + suffix, maxFontSize, kMinimumFontSize, W, *this);
    QString shownDigits = digits;
    qreal digitsWidth = 0;
    qreal suffixWidth = 0;
    bool truncate = false;
    if (fs < kSmallestReadableSize) {
        fs = kSmallestReadableSize;
        suffixWidth =
            QFontMetricsF(SystemFont::boldSystemFontOfSize(fs * 2 / 3, *this), this).horizontalAdvance(suffix);
        const QFontMetricsF digitMetrics(SystemFont::boldSystemFontOfSize(fs, *this), this);
        const qreal room = std::max<qreal>(0, W - suffixWidth);
        shownDigits = digitMetrics.elidedText(digits, Qt::ElideMiddle, room);
        digitsWidth = digitMetrics.horizontalAdvance(shownDigits);
        truncate = true;
    } else {
        suffixWidth =
            QFontMetricsF(SystemFont::boldSystemFontOfSize(fs * 2 / 3, *this), this).horizontalAdvance(suffix);
        digitsWidth = QFontMetricsF(SystemFont::boldSystemFontOfSize(fs, *this), this).horizontalAdvance(digits);
    }
    const QFontMetricsF lineMetrics(SystemFont::boldSystemFontOfSize(fs, *this), this);
    const qreal total = digitsWidth + suffixWidth;
    const qreal h = lineMetrics.height();
    const qreal x = alignedX(textAlignment, W, total);
    const qreal y = whole((H - h) / 2);

    NumberTextRuns runs;
    runs.push_back({shownDigits, QRectF(x, y, total, h), fs, truncate});
    const qreal suffixX = textAlignment == NumberTextAlignmentRight ? whole(W - suffixWidth) : whole(x + digitsWidth);
    const qreal suffixHeight = QFontMetricsF(SystemFont::boldSystemFontOfSize(fs * 2 / 3, *this), this).height();
    runs.push_back({suffix, QRectF(suffixX, y + h - 3 * fs / 5, suffixWidth, suffixHeight), fs * 2 / 3, false});
    return runs;
}

NumberTextRuns BaseNumberView::twoLineRuns(const QString& digits, const QString& suffix, QSizeF size) const {
    const qreal W = size.width();
    const qreal H = size.height();
    const QString line2 = digits.right(BaseNumberViewTwoLineLength);
    // The separator between the halves is not drawn.
    const QString line1 = digits.left(digits.size() - BaseNumberViewTwoLineLength - 1);

    const qreal fs = fittingBoldFontSize(line2 + suffix, maxFontSize, kMinimumFontSize, W, *this);
    const QFontMetricsF metrics(SystemFont::boldSystemFontOfSize(fs, *this), this);
    const QFontMetricsF suffixMetrics(SystemFont::boldSystemFontOfSize(fs * 2 / 3, *this), this);
    const qreal line1Width = metrics.horizontalAdvance(line1);
    const qreal line2Width = metrics.horizontalAdvance(line2);
    const qreal lh = metrics.height();
    const qreal h2 = metrics.height();
    const qreal suffixWidth = suffixMetrics.horizontalAdvance(suffix);

    NumberTextRuns runs;
    const qreal x2 = alignedX(textAlignment, W, line2Width + suffixWidth);
    const qreal G = (H - kTwoLineGap - kTwoLineBottomMargin) / 2;
    const qreal y2 = whole(G + whole((G - lh) / 2) + kTwoLineGap);
    runs.push_back({line2, QRectF(x2, y2, line2Width, lh), fs, false});

    const qreal suffixX = textAlignment == NumberTextAlignmentRight ? whole(W - suffixWidth) : whole(x2 + line2Width);
    runs.push_back(
        {suffix, QRectF(suffixX, y2 + h2 - 3 * fs / 5, suffixWidth, suffixMetrics.height()), fs * 2 / 3, false});

    qreal x1 = 0;
    if (textAlignment == NumberTextAlignmentCentre) x1 = whole((W - line1Width) / 2);
    // Right aligned, the last digit of line 1 stands over the last digit of line 2.
    if (textAlignment == NumberTextAlignmentRight) x1 = whole(W - line1Width - suffixWidth);
    const qreal y1 = whole((H / 2 - lh) / 2) + kTwoLineGap;
    runs.insert(runs.begin(), {line1, QRectF(x1, y1, line1Width, lh), fs, false});
    return runs;
}

void BaseNumberView::paintEvent(QPaintEvent*) {
    if (!displayCalcValue || !displayCalcValue->isInteger()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal scale = PointScale::factor();
    painter.scale(scale, scale);
    drawNumberTextRuns(painter, layoutRuns(QSizeF(width() / scale, height() / scale)), textColour, *this);
}
