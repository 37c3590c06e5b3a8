#include "Platform/UI/UITableView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVariantAnimation>
#include <cmath>
#include <utility>

#include "Platform/Core/Log.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointScale.h"
#include "Platform/UI/UITableViewItemDelegate.h"
#include "Platform/UI/UITableViewModel.h"

namespace {

// A press that moves further than this, in points, scrolls instead of choosing.
constexpr qreal kTapSlop = 8.0;
constexpr int kHighlightFadeMilliseconds = 300;

}  // namespace

UITableView::UITableView(UITableViewStyle style, QWidget* parent)
    : QListView(parent),
      style_(style),
      model_(new UITableViewModel(*this)),
      itemDelegate_(new UITableViewItemDelegate(*this)),
      fadeAnimation_(new QVariantAnimation(this)),
      highlightAnimation_(new QVariantAnimation(this)) {
    setModel(model_);
    setItemDelegate(itemDelegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(false);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    viewport()->setAutoFillBackground(true);
    updateBackground();

    fadeAnimation_->setStartValue(0.0);
    fadeAnimation_->setEndValue(1.0);
    fadeAnimation_->setDuration(static_cast<int>(UITableViewFadeDuration * 1000));
    connect(fadeAnimation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        model_->setFadeProgress(value.toReal());
        doItemsLayout();
        viewport()->update();
    });
    connect(fadeAnimation_, &QVariantAnimation::finished, this, &UITableView::finishFades);

    highlightAnimation_->setStartValue(1.0);
    highlightAnimation_->setEndValue(0.0);
    highlightAnimation_->setDuration(kHighlightFadeMilliseconds);
    connect(highlightAnimation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        for (int row = 0; row < model_->rowCount(); ++row) {
            UITableViewModel::Entry& shown = model_->entry(row);
            if (shown.fadingHighlight > 0) shown.fadingHighlight = std::max(value.toReal(), 0.0001);
        }
        viewport()->update();
    });
    connect(highlightAnimation_, &QVariantAnimation::finished, this, [this] {
        for (int row = 0; row < model_->rowCount(); ++row) model_->entry(row).fadingHighlight = 0;
        viewport()->update();
    });
}

UITableView::~UITableView() = default;

void UITableView::setDataSource(UITableViewDataSource* dataSource) {
    dataSource_ = dataSource;
    if (loaded_) reloadData();
}

void UITableView::setRowHeight(qreal points) {
    rowHeight_ = points;
    doItemsLayout();
}

void UITableView::setBackgroundImageNamed(const std::string& name) {
    backgroundImageName_ = name;
    updateBackground();
}

void UITableView::updateBackground() {
    QPalette ground = viewport()->palette();
    QBrush brush(style_ == UITableViewStyle::Grouped ? QColor(0xe8, 0xe1, 0xd0) : QColor(0xfd, 0xfb, 0xf6));
    if (!backgroundImageName_.empty()) {
        const Image pattern = ImageStore::imageNamed(backgroundImageName_);
        if (!pattern.isNull()) brush = ImageStore::colorWithPatternImage(pattern);
    }
    ground.setBrush(QPalette::Base, brush);
    ground.setBrush(QPalette::Window, brush);
    viewport()->setPalette(ground);
    scaleFactor_ = PointScale::factor();
}

void UITableView::loadIfNeeded() const {
    if (loaded_) return;
    loaded_ = true;
    model_->reload();
}

void UITableView::reloadData() {
    finishFades();
    loaded_ = true;
    setHighlightedRow(-1);
    model_->reload();
}

void UITableView::reloadRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation) {
    loadIfNeeded();
    for (const IndexPath& path : indexPaths) {
        if (const int row = model_->rowForIndexPath(path); row >= 0) model_->forgetCell(row);
    }
    viewport()->update();
}

void UITableView::beginUpdates() {
    loadIfNeeded();
    ++updateDepth_;
}

void UITableView::endUpdates() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ == 0) applyUpdates();
}

void UITableView::insertSections(const std::vector<size_t>& sections, UITableViewRowAnimation animation) {
    beginUpdates();
    updates_.insertedSections.insert(sections.begin(), sections.end());
    updates_.animated |= animation != UITableViewRowAnimation::None;
    endUpdates();
}

void UITableView::deleteSections(const std::vector<size_t>& sections, UITableViewRowAnimation animation) {
    beginUpdates();
    updates_.deletedSections.insert(sections.begin(), sections.end());
    updates_.animated |= animation != UITableViewRowAnimation::None;
    endUpdates();
}

void UITableView::insertRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation) {
    beginUpdates();
    updates_.insertedRows.insert(indexPaths.begin(), indexPaths.end());
    updates_.animated |= animation != UITableViewRowAnimation::None;
    endUpdates();
}

void UITableView::deleteRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation) {
    beginUpdates();
    updates_.deletedRows.insert(indexPaths.begin(), indexPaths.end());
    updates_.animated |= animation != UITableViewRowAnimation::None;
    endUpdates();
}

void UITableView::applyUpdates() {
    const Updates updates = std::exchange(updates_, Updates{});
    finishFades();
    setHighlightedRow(-1);
    pressedRow_ = -1;
    const bool animated = updates.animated && isVisible();
    const UITableViewModel::Batch batch{updates.deletedSections, updates.insertedSections, updates.deletedRows,
                                        updates.insertedRows};
    if (!model_->applyBatch(batch, animated)) {
        Log::line("UITableView: the updates disagree with the data source; reloading");
        reloadData();
        return;
    }
    // A selected row that goes loses its selection.
    if (const int row = selectedRow(); row >= 0 && model_->entry(row).isDying) selectionModel()->clearSelection();
    doItemsLayout();
    if (animated && model_->hasFades()) {
        model_->setFadeProgress(0);
        fadeAnimation_->start();
    }
}

void UITableView::finishFades() {
    if (fadeAnimation_->state() == QAbstractAnimation::Running) fadeAnimation_->stop();
    if (!model_->hasFades()) return;
    model_->endFades();
    doItemsLayout();
    viewport()->update();
}

bool UITableView::isAnimatingUpdates() const { return fadeAnimation_->state() == QAbstractAnimation::Running; }

size_t UITableView::numberOfSections() const {
    loadIfNeeded();
    return model_->numberOfSections();
}

size_t UITableView::numberOfRowsInSection(size_t section) const {
    loadIfNeeded();
    return model_->numberOfRowsInSection(section);
}

const UITableViewCell* UITableView::cellForRowAtIndexPath(IndexPath indexPath) const {
    loadIfNeeded();
    const int row = model_->rowForIndexPath(indexPath);
    return row >= 0 ? &model_->cell(row) : nullptr;
}

QString UITableView::titleForHeaderInSection(size_t section) const {
    loadIfNeeded();
    const int row = model_->rowForHeader(section);
    return row >= 0 ? model_->title(row) : QString();
}

QString UITableView::titleForFooterInSection(size_t section) const {
    loadIfNeeded();
    const int row = model_->rowForFooter(section);
    return row >= 0 ? model_->title(row) : QString();
}

QWidget* UITableView::headerViewForSection(size_t section) const {
    loadIfNeeded();
    const int row = model_->rowForHeader(section);
    return row >= 0 ? model_->headerView(row) : nullptr;
}

QRect UITableView::rectForHeaderInSection(size_t section) const {
    loadIfNeeded();
    const int row = model_->rowForHeader(section);
    return row >= 0 ? visualRect(model_->index(row)) : QRect();
}

QRect UITableView::rectForRowAtIndexPath(IndexPath indexPath) const {
    loadIfNeeded();
    const int row = model_->rowForIndexPath(indexPath);
    return row >= 0 ? visualRect(model_->index(row)) : QRect();
}

std::optional<IndexPath> UITableView::indexPathForRowAtPoint(QPoint viewportPoint) const {
    const QModelIndex index = indexAt(viewportPoint);
    return index.isValid() ? model_->indexPathForRow(index.row()) : std::nullopt;
}

void UITableView::scrollToRowAtIndexPath(IndexPath indexPath, bool) {
    loadIfNeeded();
    if (const int row = model_->rowForIndexPath(indexPath); row >= 0) scrollTo(model_->index(row));
}

int UITableView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.front().row();
}

std::optional<IndexPath> UITableView::indexPathForSelectedRow() const { return model_->indexPathForRow(selectedRow()); }

void UITableView::selectRowAtIndexPath(IndexPath indexPath, bool) {
    loadIfNeeded();
    const int row = model_->rowForIndexPath(indexPath);
    if (row < 0) return;
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
    scrollTo(model_->index(row));
}

void UITableView::deselectRowAtIndexPath(IndexPath indexPath, bool animated) {
    const int row = model_->rowForIndexPath(indexPath);
    if (row < 0) return;
    if (row == highlightedRow_) setHighlightedRow(-1);
    const bool wasSelected = selectionModel()->isSelected(model_->index(row));
    selectionModel()->select(model_->index(row), QItemSelectionModel::Deselect);
    if (!animated || !wasSelected) return;
    model_->entry(row).fadingHighlight = 1;
    highlightAnimation_->stop();
    highlightAnimation_->start();
}

std::optional<IndexPath> UITableView::indexPathForHighlightedRow() const {
    return model_->indexPathForRow(highlightedRow_);
}

void UITableView::setHighlightedRow(int row) {
    if (row == highlightedRow_) return;
    const int previous = highlightedRow_;
    highlightedRow_ = row;
    for (int changed : {previous, row}) {
        if (changed >= 0 && changed < model_->rowCount()) viewport()->update(visualRect(model_->index(changed)));
    }
}

void UITableView::chooseRow(int row) {
    const std::optional<IndexPath> chosen = model_->indexPathForRow(row);
    if (!chosen) return;
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
    if (delegate_) delegate_->tableViewDidSelectRowAtIndexPath(*this, *chosen);
}

QModelIndex UITableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers) {
    loadIfNeeded();
    const int count = model_->rowCount();
    const int current = selectedRow();
    const auto seek = [&](int from, int step) {
        for (int row = from; row >= 0 && row < count; row += step) {
            if (model_->indexPathForRow(row)) return model_->index(row);
        }
        return current >= 0 ? model_->index(current) : QModelIndex();
    };
    switch (cursorAction) {
        case MoveUp:
        case MovePrevious: return current < 0 ? seek(count - 1, -1) : seek(current - 1, -1);
        case MoveDown:
        case MoveNext: return current < 0 ? seek(0, 1) : seek(current + 1, 1);
        case MoveHome: return seek(0, 1);
        case MoveEnd: return seek(count - 1, -1);
        case MovePageUp:
        case MovePageDown: {
            const int page = viewport()->height();
            const QRect from = current >= 0 ? visualRect(model_->index(current)) : QRect();
            const int step = cursorAction == MovePageUp ? -page : page;
            const QModelIndex target = indexAt(QPoint(1, from.center().y() + step));
            if (target.isValid() && model_->indexPathForRow(target.row())) return target;
            return cursorAction == MovePageUp ? seek(0, 1) : seek(count - 1, -1);
        }
        default: return current >= 0 ? model_->index(current) : QModelIndex();
    }
}

void UITableView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // The selection moves with the keys even where Qt's cursor would not, when nothing is
    // selected yet.
    static const std::pair<int, CursorAction> moves[] = {
        {Qt::Key_Up, MoveUp},   {Qt::Key_Down, MoveDown},     {Qt::Key_Home, MoveHome},
        {Qt::Key_End, MoveEnd}, {Qt::Key_PageUp, MovePageUp}, {Qt::Key_PageDown, MovePageDown}};
    for (const auto& [key, action] : moves) {
        if (event->key() != key || modifiers != Qt::NoModifier) continue;
        const QModelIndex target = moveCursor(action, modifiers);
        if (target.isValid()) {
            selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
            scrollTo(target);
        }
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (modifiers == Qt::NoModifier && selectedRow() >= 0) {
                chooseRow(selectedRow());
                return;
            }
            break;
        // The way back belongs to the navigation stack.
        case Qt::Key_Escape: event->ignore(); return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (modifiers != Qt::NoModifier) {
                event->ignore();
                return;
            }
            break;
        default: break;
    }
    QListView::keyPressEvent(event);
}

void UITableView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    pressPoint_ = event->position().toPoint();
    pressScrollValue_ = verticalScrollBar()->value();
    dragging_ = false;
    const QModelIndex pressed = indexAt(*pressPoint_);
    pressedRow_ = pressed.isValid() && model_->indexPathForRow(pressed.row()) ? pressed.row() : -1;
    const bool lights =
        pressedRow_ >= 0 && model_->cell(pressedRow_).selectionStyle != UITableViewCellSelectionStyle::None;
    setHighlightedRow(lights ? pressedRow_ : -1);
}

void UITableView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressPoint_) return;
    const QPoint moved = event->position().toPoint() - *pressPoint_;
    if (!dragging_ && PointScale::pointsFromPixels(std::abs(moved.y())) <= kTapSlop &&
        PointScale::pointsFromPixels(std::abs(moved.x())) <= kTapSlop) {
        return;
    }
    // The finger has become a drag: the row is let go and the table follows.
    dragging_ = true;
    pressedRow_ = -1;
    setHighlightedRow(-1);
    verticalScrollBar()->setValue(pressScrollValue_ - moved.y());
}

void UITableView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressPoint_) return;
    pressPoint_.reset();
    const int pressed = std::exchange(pressedRow_, -1);
    setHighlightedRow(-1);
    if (pressed < 0) return;
    const QModelIndex released = indexAt(event->position().toPoint());
    if (released.isValid() && released.row() == pressed) chooseRow(pressed);
}

void UITableView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void UITableView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    if (scaleFactor_ != PointScale::factor()) scaleChanged();
}

void UITableView::scaleChanged() {
    // Images were drawn for the old scale: the rows and the ground are asked for again.
    updateBackground();
    if (loaded_) model_->forgetCells();
    doItemsLayout();
}

void UITableView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    loadIfNeeded();
    if (currentIndex().isValid()) return;
    // Qt tells a screen reader of the row that becomes current while the table has the focus.
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (!model_->indexPathForRow(row)) continue;
        selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::NoUpdate);
        break;
    }
}

void UITableView::showEvent(QShowEvent* event) {
    loadIfNeeded();
    if (scaleFactor_ != PointScale::factor()) scaleChanged();
    QListView::showEvent(event);
}

void UITableView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    // A thin indicator shows where the rows stand when they do not all fit.
    const QScrollBar* bar = verticalScrollBar();
    if (bar->maximum() <= 0) return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal total = bar->maximum() + bar->pageStep();
    const qreal height = std::max(20.0, viewport()->height() * bar->pageStep() / total);
    const qreal top = (viewport()->height() - height) * bar->value() / bar->maximum();
    const qreal width = PointScale::pixelsFromPoints(3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawRoundedRect(QRectF(viewport()->width() - width - 2, top + 2, width, height - 4), width / 2, width / 2);
}
