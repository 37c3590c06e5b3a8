#include "Platform/UI/UITableViewModel.h"

#include <algorithm>
#include <unordered_map>

#include "Platform/UI/UITableView.h"

namespace {

size_t numberOfRows(UITableView& table, size_t section) {
    return table.dataSource() ? table.dataSource()->tableViewNumberOfRowsInSection(table, section) : 0;
}

}  // namespace

UITableViewModel::UITableViewModel(UITableView& table) : QAbstractListModel(&table), table_(table) {}

UITableViewModel::~UITableViewModel() {
    for (Entry& entry : entries_) discard(entry);
}

int UITableViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

Qt::ItemFlags UITableViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Entry& row = entry(index.row());
    if (row.kind != EntryKind::Row || row.isDying) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant UITableViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Entry& row = entry(index.row());
    if (row.kind != EntryKind::Row) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return title(index.row());
        return {};
    }
    if (row.isDying) return {};
    const UITableViewCell& shown = cell(index.row());
    switch (role) {
        case Qt::DisplayRole: return shown.text;
        case Qt::AccessibleTextRole:
            if (!shown.accessibilityLabel.isEmpty()) return shown.accessibilityLabel;
            return shown.detailText.isEmpty() ? shown.text : shown.text + QStringLiteral(", ") + shown.detailText;
        case Qt::AccessibleDescriptionRole: return shown.accessibilityValue;
        case Qt::CheckStateRole:
            if (shown.accessoryType != UITableViewCellAccessoryType::Checkmark) return {};
            return Qt::Checked;
        default: return {};
    }
}

const UITableViewCell& UITableViewModel::cell(int row) const {
    Entry& shown = entries_[static_cast<size_t>(row)];
    if (!shown.cell) {
        // A row that faded out before it was ever drawn has nothing left to ask for.
        shown.cell = table_.dataSource() && !shown.isDying
                         ? table_.dataSource()->tableViewCellForRowAtIndexPath(table_, shown.indexPath)
                         : UITableViewCell{};
        if (QWidget* view = shown.cell->contentView) {
            view->setParent(&table_);
            view->hide();
        }
    }
    return *shown.cell;
}

QString UITableViewModel::title(int row) const {
    Entry& shown = entries_[static_cast<size_t>(row)];
    if (!shown.title) {
        UITableViewDataSource* source = table_.dataSource();
        const size_t section = shown.indexPath.section;
        if (!source || shown.isDying)
            shown.title = QString();
        else if (shown.kind == EntryKind::Header)
            shown.title = source->tableViewTitleForHeaderInSection(table_, section);
        else
            shown.title = source->tableViewTitleForFooterInSection(table_, section);
    }
    return *shown.title;
}

QWidget* UITableViewModel::headerView(int row) const {
    Entry& shown = entries_[static_cast<size_t>(row)];
    if (shown.kind != EntryKind::Header) return nullptr;
    if (!shown.headerViewAsked && !shown.isDying) {
        shown.headerViewAsked = true;
        if (UITableViewDelegate* delegate = table_.delegate()) {
            shown.headerView = delegate->tableViewViewForHeaderInSection(table_, shown.indexPath.section);
            if (shown.headerView) {
                shown.headerView->setParent(&table_);
                shown.headerView->hide();
            }
        }
    }
    return shown.headerView;
}

qreal UITableViewModel::headerHeight(int row) const {
    const Entry& shown = entry(row);
    if (shown.kind != EntryKind::Header || shown.isDying || !table_.delegate()) return -1;
    return table_.delegate()->tableViewHeightForHeaderInSection(table_, shown.indexPath.section);
}

UITableViewModel::Entry UITableViewModel::makeEntry(EntryKind kind, IndexPath indexPath, bool fadesIn) {
    Entry made;
    made.identity = nextIdentity_++;
    made.kind = kind;
    made.indexPath = indexPath;
    made.appearance = fadesIn ? 0 : 1;
    made.isFadingIn = fadesIn;
    return made;
}

void UITableViewModel::appendSection(size_t section, std::vector<Entry>& list, bool fadesIn) {
    list.push_back(makeEntry(EntryKind::Header, {section, 0}, fadesIn));
    const size_t rows = numberOfRows(table_, section);
    for (size_t row = 0; row < rows; ++row) list.push_back(makeEntry(EntryKind::Row, {section, row}, fadesIn));
    list.push_back(makeEntry(EntryKind::Footer, {section, 0}, fadesIn));
}

void UITableViewModel::discard(Entry& entry) {
    if (entry.cell && entry.cell->contentView) entry.cell->contentView->deleteLater();
    if (entry.headerView) entry.headerView->deleteLater();
    entry.cell.reset();
    entry.headerView = nullptr;
}

void UITableViewModel::reload() {
    beginResetModel();
    for (Entry& entry : entries_) discard(entry);
    entries_.clear();
    UITableViewDataSource* source = table_.dataSource();
    const size_t sections = source ? source->numberOfSectionsInTableView(table_) : 0;
    for (size_t section = 0; section < sections; ++section) appendSection(section, entries_, false);
    reindex();
    endResetModel();
}

bool UITableViewModel::applyBatch(const Batch& batch, bool animated) {
    UITableViewDataSource* source = table_.dataSource();
    const size_t oldCount = sections_.size();
    const size_t newCount = source ? source->numberOfSectionsInTableView(table_) : 0;
    const auto deletedRow = [&](size_t section, size_t row) { return batch.deletedRows.count({section, row}) > 0; };
    if (!batch.deletedSections.empty() && *batch.deletedSections.rbegin() >= oldCount) return false;
    if (!batch.insertedSections.empty() && *batch.insertedSections.rbegin() >= newCount) return false;
    if (oldCount - batch.deletedSections.size() + batch.insertedSections.size() != newCount) return false;
    for (const IndexPath& path : batch.deletedRows) {
        if (path.section >= oldCount || path.row >= sections_[path.section].rows.size()) return false;
    }
    for (const IndexPath& path : batch.insertedRows) {
        if (path.section >= newCount) return false;
    }

    // The list after the batch, by identity for the entries that stay: every old entry keeps its
    // order, the deleted ones fade where they were, the new ones come in between.
    std::vector<Entry> created;
    std::vector<quint64> order;
    std::set<quint64> dying;
    const auto oldSectionIdentities = [&](size_t section) {
        std::vector<quint64> identities{entry(sections_[section].header).identity};
        for (int row : sections_[section].rows) identities.push_back(entry(row).identity);
        identities.push_back(entry(sections_[section].footer).identity);
        return identities;
    };
    const auto addCreated = [&](Entry made) {
        order.push_back(made.identity);
        created.push_back(std::move(made));
    };
    size_t nextOldSection = 0;
    const auto fadeOldSectionsBefore = [&](size_t limit) {
        for (; nextOldSection < limit; ++nextOldSection) {
            for (quint64 identity : oldSectionIdentities(nextOldSection)) {
                order.push_back(identity);
                dying.insert(identity);
            }
        }
    };
    for (size_t section = 0; section < newCount; ++section) {
        if (batch.insertedSections.count(section)) {
            std::vector<Entry> entries;
            appendSection(section, entries, animated);
            for (Entry& made : entries) addCreated(std::move(made));
            continue;
        }
        // The next old section that stays.
        size_t oldSection = nextOldSection;
        while (batch.deletedSections.count(oldSection)) ++oldSection;
        fadeOldSectionsBefore(oldSection);
        nextOldSection = oldSection + 1;
        const Section& old = sections_[oldSection];
        const size_t rows = numberOfRows(table_, section);
        size_t staying = 0;
        for (size_t row = 0; row < old.rows.size(); ++row) staying += deletedRow(oldSection, row) ? 0 : 1;
        size_t inserted = 0;
        for (const IndexPath& path : batch.insertedRows) {
            if (path.section != section) continue;
            if (path.row >= rows) return false;
            ++inserted;
        }
        if (staying + inserted != rows) return false;
        order.push_back(entry(old.header).identity);
        size_t oldRow = 0;
        const auto fadeDeletedRows = [&] {
            for (; oldRow < old.rows.size() && deletedRow(oldSection, oldRow); ++oldRow) {
                order.push_back(entry(old.rows[oldRow]).identity);
                dying.insert(order.back());
            }
        };
        for (size_t row = 0; row < rows; ++row) {
            if (batch.insertedRows.count({section, row})) {
                addCreated(makeEntry(EntryKind::Row, {section, row}, animated));
                continue;
            }
            fadeDeletedRows();
            order.push_back(entry(old.rows[oldRow++]).identity);
        }
        fadeDeletedRows();
        order.push_back(entry(old.footer).identity);
    }
    fadeOldSectionsBefore(oldCount);

    std::unordered_map<quint64, Entry*> createdByIdentity;
    for (Entry& made : created) createdByIdentity.emplace(made.identity, &made);
    for (size_t position = 0; position < order.size();) {
        if (!createdByIdentity.count(order[position])) {
            ++position;
            continue;
        }
        size_t end = position;
        while (end < order.size() && createdByIdentity.count(order[end])) ++end;
        beginInsertRows(QModelIndex(), static_cast<int>(position), static_cast<int>(end - 1));
        std::vector<Entry> run;
        for (size_t i = position; i < end; ++i) run.push_back(std::move(*createdByIdentity[order[i]]));
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), std::make_move_iterator(run.begin()),
                        std::make_move_iterator(run.end()));
        endInsertRows();
        position = end;
    }
    for (Entry& shown : entries_) {
        if (!dying.count(shown.identity)) continue;
        shown.isDying = true;
        shown.fadingHighlight = 0;
    }
    reindex();
    if (!animated) endFades();
    return true;
}

bool UITableViewModel::hasFades() const {
    return std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.isDying || e.isFadingIn; });
}

void UITableViewModel::setFadeProgress(qreal progress) {
    for (Entry& shown : entries_) {
        if (shown.isDying)
            shown.appearance = 1 - progress;
        else if (shown.isFadingIn)
            shown.appearance = progress;
    }
}

void UITableViewModel::endFades() {
    for (Entry& shown : entries_) {
        shown.isFadingIn = false;
        if (!shown.isDying) shown.appearance = 1;
    }
    // Runs of dying entries go from the end, so that the earlier positions stay valid.
    for (int end = rowCount() - 1; end >= 0;) {
        if (!entry(end).isDying) {
            --end;
            continue;
        }
        int start = end;
        while (start > 0 && entry(start - 1).isDying) --start;
        beginRemoveRows(QModelIndex(), start, end);
        for (int row = start; row <= end; ++row) discard(entry(row));
        entries_.erase(entries_.begin() + start, entries_.begin() + end + 1);
        endRemoveRows();
        end = start - 1;
    }
    reindex();
}

void UITableViewModel::forgetCells() {
    for (int row = 0; row < rowCount(); ++row) forgetCell(row);
}

void UITableViewModel::forgetCell(int row) {
    Entry& shown = entry(row);
    if (shown.isDying) return;
    if (shown.cell && shown.cell->contentView) shown.cell->contentView->deleteLater();
    shown.cell.reset();
    shown.title.reset();
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
}

void UITableViewModel::reindex() {
    sections_.clear();
    for (int row = 0; row < rowCount(); ++row) {
        Entry& shown = entry(row);
        if (shown.isDying) continue;
        switch (shown.kind) {
            case EntryKind::Header: sections_.push_back({row, {}, -1}); break;
            case EntryKind::Row: sections_.back().rows.push_back(row); break;
            case EntryKind::Footer: sections_.back().footer = row; break;
        }
        const size_t section = sections_.size() - 1;
        const size_t place = shown.kind == EntryKind::Row ? sections_.back().rows.size() - 1 : 0;
        shown.indexPath = {section, place};
    }
}

size_t UITableViewModel::numberOfRowsInSection(size_t section) const {
    return section < sections_.size() ? sections_[section].rows.size() : 0;
}

int UITableViewModel::rowForIndexPath(IndexPath indexPath) const {
    if (indexPath.section >= sections_.size()) return -1;
    const std::vector<int>& rows = sections_[indexPath.section].rows;
    return indexPath.row < rows.size() ? rows[indexPath.row] : -1;
}

int UITableViewModel::rowForHeader(size_t section) const {
    return section < sections_.size() ? sections_[section].header : -1;
}

int UITableViewModel::rowForFooter(size_t section) const {
    return section < sections_.size() ? sections_[section].footer : -1;
}

std::optional<IndexPath> UITableViewModel::indexPathForRow(int row) const {
    if (row < 0 || row >= rowCount()) return std::nullopt;
    const Entry& shown = entry(row);
    if (shown.kind != EntryKind::Row || shown.isDying) return std::nullopt;
    return shown.indexPath;
}

bool UITableViewModel::isFirstInGroup(int row) const { return row == 0 || entry(row - 1).kind == EntryKind::Header; }

bool UITableViewModel::isLastInGroup(int row) const {
    return row + 1 >= rowCount() || entry(row + 1).kind == EntryKind::Footer;
}
