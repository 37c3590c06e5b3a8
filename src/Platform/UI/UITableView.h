#pragma once

#include <QListView>
#include <QPointer>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Platform/Core/IndexPath.h"
#include "Platform/UI/UITableViewCell.h"

class QVariantAnimation;
class UITableView;
class UITableViewItemDelegate;
class UITableViewModel;

enum class UITableViewStyle { Plain, Grouped };
enum class UITableViewRowAnimation { None, Fade };

// The questions a table asks of its screen. They are asked again after reloadData() and for the
// sections and rows that a batch of updates brings in; a row's answer is kept until it is
// reloaded.
class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;
    virtual size_t numberOfSectionsInTableView(UITableView&) { return 1; }
    virtual size_t tableViewNumberOfRowsInSection(UITableView& tableView, size_t section) = 0;
    virtual UITableViewCell tableViewCellForRowAtIndexPath(UITableView& tableView, IndexPath indexPath) = 0;
    virtual QString tableViewTitleForHeaderInSection(UITableView&, size_t) { return {}; }
    virtual QString tableViewTitleForFooterInSection(UITableView&, size_t) { return {}; }
};

class UITableViewDelegate {
public:
    virtual ~UITableViewDelegate() = default;
    // A row was chosen: tapped, or Enter pressed on it. The row stays selected until the screen
    // deselects it.
    virtual void tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) = 0;
    // A view of its own for a section's header instead of its title; the table takes it.
    virtual QWidget* tableViewViewForHeaderInSection(UITableView&, size_t) { return nullptr; }
    // In points; negative leaves the height to the table.
    virtual qreal tableViewHeightForHeaderInSection(UITableView&, size_t) { return -1; }
};

// A table of rows in sections, on Qt's model/view: a model over the data source's answers and a
// delegate that draws one row, so a hundred rows cost no widget. Grouped tables draw each
// section as a rounded group on the background pattern; plain tables run their rows across the
// full width. Rows are chosen by tapping (press and release on the same row; a drag scrolls
// instead) or from the keyboard: Up and Down move the selection, Enter chooses, typing the first
// letters of a row's text jumps to it. Every row is an accessible element with its text and its
// state (selected, checked). When the table takes the focus, the keyboard and a screen reader
// land on the selected row, or else on the first, which a brass ring marks. Rows and sections inserted or deleted in a
// batch fade in and out.
class UITableView : public QListView {
    Q_OBJECT

public:
    static constexpr double UITableViewDefaultRowHeight = 44.0;
    static constexpr double UITableViewFadeDuration = 0.3;

    explicit UITableView(UITableViewStyle style, QWidget* parent = nullptr);
    ~UITableView() override;

    UITableViewStyle tableViewStyle() const { return style_; }
    UITableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(UITableViewDataSource* dataSource);
    UITableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(UITableViewDelegate* delegate) { delegate_ = delegate; }
    // In points.
    qreal rowHeight() const { return rowHeight_; }
    void setRowHeight(qreal points);
    // The ground behind the rows, tiled; an empty name leaves the style's own.
    void setBackgroundImageNamed(const std::string& name);

    void reloadData();
    void reloadRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation);
    // Deletions name the rows and sections as they were before the batch, insertions as they
    // are after it, whatever the order of the calls between beginUpdates() and endUpdates(); a
    // call outside a batch is a batch of its own. The data source must already answer for the
    // new state. A batch that disagrees with its answers reloads the whole table.
    void beginUpdates();
    void endUpdates();
    void insertSections(const std::vector<size_t>& sections, UITableViewRowAnimation animation);
    void deleteSections(const std::vector<size_t>& sections, UITableViewRowAnimation animation);
    void insertRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation);
    void deleteRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation);
    bool isAnimatingUpdates() const;

    size_t numberOfSections() const;
    size_t numberOfRowsInSection(size_t section) const;
    // The cell the data source gave for the row, or null when there is no such row.
    const UITableViewCell* cellForRowAtIndexPath(IndexPath indexPath) const;
    // The header or footer text of a section, as shown.
    QString titleForHeaderInSection(size_t section) const;
    QString titleForFooterInSection(size_t section) const;
    // The view the delegate gave for a section's header, or null.
    QWidget* headerViewForSection(size_t section) const;
    // In this view's viewport pixels; empty when there is no such row or section.
    QRect rectForRowAtIndexPath(IndexPath indexPath) const;
    QRect rectForHeaderInSection(size_t section) const;
    std::optional<IndexPath> indexPathForRowAtPoint(QPoint viewportPoint) const;
    void scrollToRowAtIndexPath(IndexPath indexPath, bool animated);

    std::optional<IndexPath> indexPathForSelectedRow() const;
    void selectRowAtIndexPath(IndexPath indexPath, bool animated);
    // An animated deselection fades the highlight out.
    void deselectRowAtIndexPath(IndexPath indexPath, bool animated);
    // The row that a finger holds down, lit before it is chosen.
    std::optional<IndexPath> indexPathForHighlightedRow() const;

    UITableViewModel* tableModel() const { return model_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    struct Updates {
        std::set<size_t> deletedSections;
        std::set<size_t> insertedSections;
        std::set<IndexPath> deletedRows;
        std::set<IndexPath> insertedRows;
        bool animated = false;
    };

    void loadIfNeeded() const;
    void applyUpdates();
    void finishFades();
    void chooseRow(int row);
    int selectedRow() const;
    void setHighlightedRow(int row);
    void fadeHighlightOfRow(int row);
    void updateBackground();
    void scaleChanged();

    UITableViewStyle style_;
    UITableViewDataSource* dataSource_ = nullptr;
    UITableViewDelegate* delegate_ = nullptr;
    UITableViewModel* model_;
    UITableViewItemDelegate* itemDelegate_;
    qreal rowHeight_ = UITableViewDefaultRowHeight;
    std::string backgroundImageName_;
    Updates updates_;
    int updateDepth_ = 0;
    mutable bool loaded_ = false;
    QVariantAnimation* fadeAnimation_;
    QVariantAnimation* highlightAnimation_;
    int highlightedRow_ = -1;
    // The row a press began on, chosen when the press ends on it without a drag.
    int pressedRow_ = -1;
    // The press that may become a tap or a drag.
    std::optional<QPoint> pressPoint_;
    int pressScrollValue_ = 0;
    bool dragging_ = false;
    qreal scaleFactor_ = 0;
};
