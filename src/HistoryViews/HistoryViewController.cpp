#include "HistoryViews/HistoryViewController.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

#include "Calculator/CalcEngine.h"
#include "Model/CalcStore.h"
#include "Model/HistoryStep.h"
#include "Model/HistoryText.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Localized.h"
#include "Platform/UI/Clipboard.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/UIAlertView.h"
#include "Platform/UI/UIBarButtonItem.h"
#include "Platform/UI/UILabel.h"
#include "Platform/UI/UIToolbar.h"
#include "Utils/DateUtils.h"
#include "Utils/NumberUtils.h"

namespace {

constexpr const char* kSource = "HistoryViews/HistoryViewController";

// The row's two labels, in points: the calculation right-aligned against the result.
constexpr QRectF kLeftLabelFrame(4, 0, 209, 30);
constexpr QRectF kRightLabelFrame(213, 0, 103, 30);
constexpr qreal kRowFontSize = 16;
// Two operands of twelve characters still fit, a little smaller, without being cut short.
constexpr qreal kRowMinimumFontSize = 9;
constexpr qreal kHeaderFontSize = 14;

QString localized(const char* english) { return QString::fromStdString(Localized::string(english)); }

}  // namespace

HistoryViewController::HistoryViewController(CalcStore& store, CalcEngine& engine, QWidget* parent)
    : ViewController(parent),
      store_(store),
      engine_(engine),
      urlOpener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      saveFileChooser_([](QWidget* dialogParent, const QString& suggestedPath) {
          return QFileDialog::getSaveFileName(dialogParent, localized("Save History"), suggestedPath,
                                              localized("Text files (*.txt)"));
      }) {}

HistoryViewController::~HistoryViewController() { releaseAll(); }

void HistoryViewController::viewDidLoad() {
    historyStepsFetchedResultsController_ = store_.historyStepsFetchedResultsController();
    if (historyStepsFetchedResultsController_) historyStepsFetchedResultsController_->setDelegate(this);

    navigationItem()->setHidesBackButton(true);
    calcButton_ = new UIBarButtonItem(ImageStore::imageNamed("navigationBarCalc.png"), UIBarButtonItemStyle::Plain);
    calcButton_->setAccessibleName(localized("Calculator"));
    calcButton_->setToolTip(localized("Calculator"));
    connect(calcButton_, &QAbstractButton::clicked, this, &HistoryViewController::buttonCalc);
    navigationItem()->setRightBarButtonItem(calcButton_);

    historyTableView_ = new UITableView(UITableViewStyle::Plain, this);
    historyTableView_->setDataSource(this);
    historyTableView_->setDelegate(this);
    historyTableView_->setRowHeight(HistoryViewControllerRowHeight);
    setFocusProxy(historyTableView_);
    sectionTitles_.assign(numberOfSectionsInTableView(*historyTableView_), std::nullopt);

    toolbar_ = new UIToolbar(this);
    toolbar_->setTintColor(Qt::black);
    clearButton_ = toolbarButton("toolbarTrash.png", "Clear", &HistoryViewController::buttonClear);
    mailButton_ = toolbarButton("toolbarMail.png", "Email", &HistoryViewController::buttonMail);
    saveButton_ = toolbarButton("toolbarSave.png", "Save…", &HistoryViewController::buttonSave);
    copyButton_ = toolbarButton("toolbarCopy.png", "Copy", &HistoryViewController::buttonCopy);
    toolbar_->setItems({clearButton_, nullptr, copyButton_, saveButton_, mailButton_});

    // The keys a desktop user tries first for the two exports of their own.
    auto* save = new QAction(this);
    save->setShortcut(QKeySequence::Save);
    save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(save, &QAction::triggered, this, &HistoryViewController::buttonSave);
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &HistoryViewController::buttonCopy);
    addActions({save, copy});
    layoutSubviews();
}

UIBarButtonItem* HistoryViewController::toolbarButton(const char* imageName, const char* label,
                                                      void (HistoryViewController::*action)()) {
    auto* button = new UIBarButtonItem(ImageStore::imageNamed(imageName), UIBarButtonItemStyle::Plain);
    button->setAccessibleName(localized(label));
    button->setToolTip(localized(label));
    connect(button, &QAbstractButton::clicked, this, action);
    return button;
}

void HistoryViewController::resizeEvent(QResizeEvent* event) {
    ViewController::resizeEvent(event);
    layoutSubviews();
}

void HistoryViewController::layoutSubviews() {
    if (!historyTableView_) return;
    const qreal toolbarHeight = PointScale::pixelsFromPoints(UIToolbar::UIToolbarHeight);
    const int toolbarTop = height() - qRound(toolbarHeight);
    historyTableView_->setGeometry(0, 0, width(), toolbarTop);
    toolbar_->setGeometry(0, toolbarTop, width(), height() - toolbarTop);
}

void HistoryViewController::releaseAll() {
    if (historyTableView_) {
        historyTableView_->setDelegate(nullptr);
        historyTableView_->setDataSource(nullptr);
    }
    historyStepsFetchedResultsController_.reset();
    sectionTitles_.clear();
    ViewController::releaseAll();
}

HistoryStep* HistoryViewController::historyStepAtIndexPath(IndexPath indexPath) const {
    ManagedObject* object = historyStepsFetchedResultsController_
                                ? historyStepsFetchedResultsController_->objectAtIndexPath(indexPath)
                                : nullptr;
    if (!object) fatalAssert(kSource, "unable to get history step");
    return static_cast<HistoryStep*>(object);
}

size_t HistoryViewController::numberOfSectionsInTableView(UITableView&) {
    return historyStepsFetchedResultsController_ ? historyStepsFetchedResultsController_->sections().size() : 0;
}

size_t HistoryViewController::tableViewNumberOfRowsInSection(UITableView&, size_t section) {
    if (!historyStepsFetchedResultsController_) return 0;
    const auto& sections = historyStepsFetchedResultsController_->sections();
    return section < sections.size() ? sections[section].numberOfObjects() : 0;
}

UITableViewCell HistoryViewController::tableViewCellForRowAtIndexPath(UITableView&, IndexPath indexPath) {
    HistoryStep* step = historyStepAtIndexPath(indexPath);
    UITableViewCell cell;
    cell.labels = {
        {kLeftLabelFrame, QString::fromStdString(HistoryText::textCacheLHSOfHistoryStep(*step)),
         Qt::AlignRight | Qt::AlignVCenter, kRowFontSize, false, kRowMinimumFontSize},
        {kRightLabelFrame, QString::fromStdString(HistoryText::textCacheRHSOfHistoryStep(*step)),
         Qt::AlignLeft | Qt::AlignVCenter, kRowFontSize, false, kRowMinimumFontSize},
    };
    cell.accessibilityLabel = localized("Result");
    if (const GeneralValue* result = step->generalValueResult()) {
        if (const std::optional<CalcValue> value = CalcStore::calcValueFromGeneralValue(*result)) {
            std::optional<CalcValueFormat> format;
            if (const std::optional<CalcValueFormatStyle> style = result->style()) {
                format = CalcValueFormat::withStyle(*style);
            }
            const std::optional<std::string> spoken =
                NumberUtils::accessibilityStringFromCalcValue(*value, format ? &*format : nullptr);
            cell.accessibilityValue = QString::fromStdString(spoken.value_or(""));
        }
    }
    return cell;
}

QString HistoryViewController::tableViewTitleForHeaderInSection(UITableView&, size_t section) {
    if (section >= sectionTitles_.size()) sectionTitles_.resize(section + 1);
    std::optional<QString>& title = sectionTitles_[section];
    if (!title) {
        const HistoryStep* step = historyStepAtIndexPath({section, 0});
        title = QString::fromStdString(DateUtils::stringInNiceFormatFromDate(step->date()));
    }
    return *title;
}

QWidget* HistoryViewController::tableViewViewForHeaderInSection(UITableView& tableView, size_t section) {
    auto* header = new UILabel(tableViewTitleForHeaderInSection(tableView, section));
    header->setBackgroundImageNamed("historyHeader.png");
    header->setFontSize(kHeaderFontSize, true);
    header->setTextColor(Qt::white);
    header->setShadowColor(Qt::black);
    header->setTextAlignment(Qt::AlignCenter);
    return header;
}

qreal HistoryViewController::tableViewHeightForHeaderInSection(UITableView&, size_t) {
    return HistoryViewControllerHeaderHeight;
}

void HistoryViewController::tableViewDidSelectRowAtIndexPath(UITableView&, IndexPath indexPath) {
    const HistoryStep* step = historyStepAtIndexPath(indexPath);
    if (const GeneralValue* result = step->generalValueResult()) {
        if (const std::optional<CalcValue> value = CalcStore::calcValueFromGeneralValue(*result)) {
            engine_.enterAccumulatorCalcValue(*value);
        }
    }
    dismissModalViewControllerAnimated(true);
}

void HistoryViewController::controllerWillChangeContent(FetchedResultsController&) {
    deletedSections_.clear();
    insertedSections_.clear();
    historyTableView_->beginUpdates();
}

void HistoryViewController::controllerDidChangeSection(FetchedResultsController&, size_t sectionIndex,
                                                       FetchedResultsChangeType type) {
    if (type == FetchedResultsChangeType::Insert) {
        insertedSections_.push_back(sectionIndex);
        historyTableView_->insertSections({sectionIndex}, UITableViewRowAnimation::Fade);
    } else {
        deletedSections_.push_back(sectionIndex);
        historyTableView_->deleteSections({sectionIndex}, UITableViewRowAnimation::Fade);
    }
}

void HistoryViewController::controllerDidChangeObject(FetchedResultsController&, ManagedObject*, IndexPath indexPath,
                                                      FetchedResultsChangeType type) {
    if (type == FetchedResultsChangeType::Insert) {
        historyTableView_->insertRowsAtIndexPaths({indexPath}, UITableViewRowAnimation::Fade);
    } else {
        historyTableView_->deleteRowsAtIndexPaths({indexPath}, UITableViewRowAnimation::Fade);
    }
}

void HistoryViewController::controllerDidChangeContent(FetchedResultsController&) {
    // The title slots move with their sections: a day that goes takes its title along, and a
    // day that comes gets an empty slot, so no header ever shows another day's title.
    std::sort(deletedSections_.rbegin(), deletedSections_.rend());
    for (size_t section : deletedSections_) {
        if (section < sectionTitles_.size()) sectionTitles_.erase(sectionTitles_.begin() + std::ptrdiff_t(section));
    }
    std::sort(insertedSections_.begin(), insertedSections_.end());
    for (size_t section : insertedSections_) {
        const size_t place = std::min(section, sectionTitles_.size());
        sectionTitles_.insert(sectionTitles_.begin() + std::ptrdiff_t(place), std::nullopt);
    }
    historyTableView_->endUpdates();
}

void HistoryViewController::buttonClear() {
    auto* sheet = new UIActionSheet(QString(), this, localized("Cancel"), localized("Clear History"));
    sheet->showInView(this);
}

void HistoryViewController::actionSheetClickedButtonAtIndex(UIActionSheet& actionSheet, int buttonIndex) {
    if (buttonIndex != actionSheet.destructiveButtonIndex()) return;
    store_.deleteAllHistorySteps();
}

std::string HistoryViewController::stringEmailBodyFromHistorySteps() const {
    return HistoryText::stringEmailBodyFromHistorySteps(historyStepsFetchedResultsController_.get());
}

QUrl HistoryViewController::mailUrlWithBody(const std::string& body) {
    // Line breaks travel in a mailto: address as CR LF.
    QByteArray text = QByteArray::fromStdString(body);
    text.replace("\n", "\r\n");
    return QUrl::fromEncoded("mailto:?subject=" + QUrl::toPercentEncoding(HistoryViewControllerEmailSubject) +
                                 "&body=" + QUrl::toPercentEncoding(QString::fromUtf8(text)),
                             QUrl::StrictMode);
}

void HistoryViewController::buttonMail() {
    if (urlOpener_(mailUrlWithBody(stringEmailBodyFromHistorySteps()))) return;
    (new UIAlertView(localized("Email"), localized("Error sending Email"), nullptr, localized("OK")))->showInView(this);
}

void HistoryViewController::buttonSave() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = saveFileChooser_(this, QDir(folder).filePath(localized("Calculations.txt")));
    if (!path.isEmpty()) saveToFile(path);
}

void HistoryViewController::saveToFile(const QString& path) {
    // Written aside and moved into place at once: an earlier file is replaced whole or kept.
    QSaveFile file(path);
    const std::string body = stringEmailBodyFromHistorySteps();
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(body.data(), qint64(body.size())) == qint64(body.size()) && file.commit();
    if (saved) return;
    const QString message =
        localized("The history could not be saved to %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    (new UIAlertView(localized("Save"), message, nullptr, localized("OK")))->showInView(this);
}

void HistoryViewController::buttonCopy() {
    Clipboard::setValueForPasteboardType(stringEmailBodyFromHistorySteps(), Clipboard::ClipboardTypeUTF8PlainText);
}

void HistoryViewController::buttonClose() { dismissModalViewControllerAnimated(true); }

void HistoryViewController::buttonCalc() { dismissModalViewControllerAnimated(true); }
