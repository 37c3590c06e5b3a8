#pragma once

#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "Platform/UI/Image.h"

enum class UITableViewCellStyle { Default, Value1 };
enum class UITableViewCellAccessoryType { None, DisclosureIndicator, Checkmark };
enum class UITableViewCellSelectionStyle { Default, None };

// A label a screen places in a row itself, in points from the row's top left.
struct UITableViewCellLabel {
    QRectF frame;
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    qreal fontSize = 17;
    bool bold = false;
    // A text too wide for the frame shrinks down to this size before it is cut short.
    qreal minimumFontSize = 0;
};

// What one row of a table shows, as a screen answers the table's question for it: in the
// default style an image and a text; in the value-1 style a text on the left and a detail text
// on the right; in either, labels and a widget placed by the screen. The table keeps the
// answer until the row is reloaded, and draws it itself: a row costs no widget. A content view
// is taken by the table, drawn in the row, and deleted with the row.
struct UITableViewCell {
    UITableViewCellStyle style = UITableViewCellStyle::Default;
    QString text;
    QString detailText;
    Qt::Alignment textAlignment = Qt::AlignLeft;
    Image image;
    UITableViewCellAccessoryType accessoryType = UITableViewCellAccessoryType::None;
    UITableViewCellSelectionStyle selectionStyle = UITableViewCellSelectionStyle::Default;
    // Tiles the row instead of the table's cell colour.
    std::string backgroundImageName;
    std::vector<UITableViewCellLabel> labels;
    QPointer<QWidget> contentView;
    // In points from the row's top left; an empty frame fills the row.
    QRectF contentViewFrame;
    // Spoken instead of the texts when set; the value is offered as the row's description.
    QString accessibilityLabel;
    QString accessibilityValue;
};
