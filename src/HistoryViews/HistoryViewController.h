#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Store/FetchedResultsController.h"
#include "Platform/UI/UIActionSheet.h"
#include "Platform/UI/UITableView.h"
#include "Platform/UI/ViewController.h"

class CalcEngine;
class CalcStore;
class HistoryStep;
class UIBarButtonItem;
class UIToolbar;

// The completed steps of the store, grouped by day, newest day first and oldest step first
// within a day. Each row shows the calculation on the left and its result on the right;
// choosing a row enters its result into the calculator and flips back to it. The toolbar
// clears the history (after asking) and exports it as plain text: by e-mail through the
// system's mail handler, to a file, or to the clipboard. The list follows the store as it
// changes, fading rows and days in and out.
class HistoryViewController : public ViewController,
                              public UITableViewDataSource,
                              public UITableViewDelegate,
                              public FetchedResultsControllerDelegate,
                              public UIActionSheetDelegate {
    Q_OBJECT

public:
    static constexpr qreal HistoryViewControllerRowHeight = 30.0;
    static constexpr qreal HistoryViewControllerHeaderHeight = 25.0;
    static constexpr const char* HistoryViewControllerEmailSubject = "Calculations from iPhone";

    // Opens a URL and says whether anything took it (QDesktopServices::openUrl by default).
    using UrlOpener = std::function<bool(const QUrl& url)>;
    // Asks where to save, starting from a suggested path; empty when the user declines
    // (QFileDialog::getSaveFileName by default).
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& suggestedPath)>;

    HistoryViewController(CalcStore& store, CalcEngine& engine, QWidget* parent = nullptr);
    ~HistoryViewController() override;

    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    void setSaveFileChooser(SaveFileChooser chooser) { saveFileChooser_ = std::move(chooser); }

    UITableView* historyTableView() const { return historyTableView_; }
    UIToolbar* toolbar() const { return toolbar_; }
    UIBarButtonItem* clearButton() const { return clearButton_; }
    UIBarButtonItem* mailButton() const { return mailButton_; }
    UIBarButtonItem* saveButton() const { return saveButton_; }
    UIBarButtonItem* copyButton() const { return copyButton_; }
    UIBarButtonItem* calcButton() const { return calcButton_; }

    void buttonClear();
    void buttonMail();
    void buttonSave();
    void buttonCopy();
    void buttonClose();
    void buttonCalc();

    // The whole history as plain text, as every export gives it.
    std::string stringEmailBodyFromHistorySteps() const;
    // The mailto: address of an e-mail with the subject and the text.
    static QUrl mailUrlWithBody(const std::string& body);

    size_t numberOfSectionsInTableView(UITableView& tableView) override;
    size_t tableViewNumberOfRowsInSection(UITableView& tableView, size_t section) override;
    UITableViewCell tableViewCellForRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;
    QString tableViewTitleForHeaderInSection(UITableView& tableView, size_t section) override;
    void tableViewDidSelectRowAtIndexPath(UITableView& tableView, IndexPath indexPath) override;
    QWidget* tableViewViewForHeaderInSection(UITableView& tableView, size_t section) override;
    qreal tableViewHeightForHeaderInSection(UITableView& tableView, size_t section) override;

    void controllerWillChangeContent(FetchedResultsController& controller) override;
    void controllerDidChangeSection(FetchedResultsController& controller, size_t sectionIndex,
                                    FetchedResultsChangeType type) override;
    void controllerDidChangeObject(FetchedResultsController& controller, ManagedObject* object, IndexPath indexPath,
                                   FetchedResultsChangeType type) override;
    void controllerDidChangeContent(FetchedResultsController& controller) override;

    void actionSheetClickedButtonAtIndex(UIActionSheet& actionSheet, int buttonIndex) override;

    void releaseAll() override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The step the list holds at the position; a position the list does not hold is a fatal
    // assertion, since the table only asks for positions the list gave it.
    HistoryStep* historyStepAtIndexPath(IndexPath indexPath) const;
    UIBarButtonItem* toolbarButton(const char* imageName, const char* label, void (HistoryViewController::*action)());
    void saveToFile(const QString& path);
    void layoutSubviews();

    CalcStore& store_;
    CalcEngine& engine_;
    std::unique_ptr<FetchedResultsController> historyStepsFetchedResultsController_;
    // One slot per section, filled with its title when first asked for.
    std::vector<std::optional<QString>> sectionTitles_;
    // The sections a batch of changes of the list deletes (old positions) and inserts (new).
    std::vector<size_t> deletedSections_;
    std::vector<size_t> insertedSections_;
    UITableView* historyTableView_ = nullptr;
    UIToolbar* toolbar_ = nullptr;
    UIBarButtonItem* clearButton_ = nullptr;
    UIBarButtonItem* mailButton_ = nullptr;
    UIBarButtonItem* saveButton_ = nullptr;
    UIBarButtonItem* copyButton_ = nullptr;
    UIBarButtonItem* calcButton_ = nullptr;
    UrlOpener urlOpener_;
    SaveFileChooser saveFileChooser_;
};
