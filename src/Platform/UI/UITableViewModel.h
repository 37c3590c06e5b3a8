#pragma once

#include <QAbstractListModel>
#include <QPointer>
#include <optional>
#include <set>
#include <vector>

#include "Platform/Core/IndexPath.h"
#include "Platform/UI/UITableViewCell.h"

class UITableView;

// The rows of a table as one flat list for Qt's view: each section is its header, its rows and
// its footer. Cells, titles and header views are asked of the table's data source when first
// needed and kept. Rows and sections that a batch deletes stay in the list, fading, until the
// fade ends; they no longer count as rows of the table.
class UITableViewModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum class EntryKind { Header, Row, Footer };
    struct Entry {
        quint64 identity = 0;
        EntryKind kind = EntryKind::Row;
        // The row's place; headers and footers use the section only. Stale once dying.
        IndexPath indexPath;
        std::optional<UITableViewCell> cell;
        std::optional<QString> title;
        bool headerViewAsked = false;
        QPointer<QWidget> headerView;
        // 0 hidden to 1 shown: rows fade and grow in, and fade and shrink out.
        qreal appearance = 1;
        bool isFadingIn = false;
        bool isDying = false;
        // A highlight on its way out after an animated deselection.
        qreal fadingHighlight = 0;
    };
    struct Batch {
        std::set<size_t> deletedSections;
        std::set<size_t> insertedSections;
        std::set<IndexPath> deletedRows;
        std::set<IndexPath> insertedRows;
    };

    explicit UITableViewModel(UITableView& table);
    ~UITableViewModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void reload();
    // False, with nothing changed, when the data source's answers disagree with the batch.
    bool applyBatch(const Batch& batch, bool animated);
    bool hasFades() const;
    void setFadeProgress(qreal progress);
    // Removes the rows that faded out; the others are shown in full.
    void endFades();
    // Asks for every cell again when it is next drawn.
    void forgetCells();
    void forgetCell(int row);

    const Entry& entry(int row) const { return entries_[static_cast<size_t>(row)]; }
    Entry& entry(int row) { return entries_[static_cast<size_t>(row)]; }
    const UITableViewCell& cell(int row) const;
    QString title(int row) const;
    QWidget* headerView(int row) const;
    qreal headerHeight(int row) const;

    size_t numberOfSections() const { return sections_.size(); }
    size_t numberOfRowsInSection(size_t section) const;
    // The list row of a table row, or -1.
    int rowForIndexPath(IndexPath indexPath) const;
    int rowForHeader(size_t section) const;
    int rowForFooter(size_t section) const;
    // The table row at a list row; none for headers, footers and dying rows.
    std::optional<IndexPath> indexPathForRow(int row) const;
    // Whether the row is drawn as the first or last of its group (fading neighbours count).
    bool isFirstInGroup(int row) const;
    bool isLastInGroup(int row) const;

private:
    struct Section {
        int header = -1;
        std::vector<int> rows;
        int footer = -1;
    };

    Entry makeEntry(EntryKind kind, IndexPath indexPath, bool fadesIn);
    void appendSection(size_t section, std::vector<Entry>& list, bool fadesIn);
    void reindex();
    void discard(Entry& entry);

    UITableView& table_;
    mutable std::vector<Entry> entries_;
    std::vector<Section> sections_;
    quint64 nextIdentity_ = 1;
};
