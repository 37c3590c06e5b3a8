#pragma once

#include <QStyledItemDelegate>

class UITableView;
class UITableViewModel;

// Draws one row of a table in points: a header or footer text (or the header's own view), or a
// cell with its image, texts, labels, content view and accessory, in its group's rounded
// shape on a grouped table. Fading rows draw translucent and as tall as they have grown.
class UITableViewItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit UITableViewItemDelegate(UITableView& table);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The table chooses rows itself; a click never toggles a check mark.
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&) override {
        return false;
    }

    // The full height of a list row in points, before any fade.
    qreal heightOfRow(int row) const;

private:
    void paintCell(QPainter& painter, const QRectF& bounds, int row, qreal highlight) const;
    void paintCellContent(QPainter& painter, const QRectF& content, int row, bool highlighted) const;
    void paintTitle(QPainter& painter, const QRectF& bounds, int row) const;
    void renderWidget(QPainter& painter, QWidget* widget, const QRectF& frame) const;
    UITableViewModel& model() const;

    UITableView& table_;
};
