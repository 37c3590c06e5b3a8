#pragma once

#include <QUrl>

#include "Platform/UI/ViewController.h"

class ImageView;
class UIButton;
class UILabel;

// Who made the calculator, which version and build this is, and a button that opens the
// project's pages in the system's browser. A menu pushes it with its title.
class AboutViewController : public ViewController {
    Q_OBJECT

public:
    explicit AboutViewController(const QString& title, QWidget* parent = nullptr);

    // The maker's notice followed by "V<version> (build <first 7 digits of the revision>)", the
    // build being "????" when the revision is not known.
    static QString versionText(const QString& version, const QString& buildIdentifier);
    // This build's version and revision, as compiled in.
    static QString bundleVersion();
    static QString buildIdentifier();
    // The address the web button opens: the one configured or, for a README that is not where
    // the configuration expects it, the README installed beside the program or that of the
    // sources; empty when there is none of them.
    static QUrl webAddress();

    UILabel* versionLabel() const { return versionLabel_; }
    UIButton* webButton() const { return webButton_; }
    void buttonWeb();

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutForScale();

    ImageView* artworkView_ = nullptr;
    UILabel* nameLabel_ = nullptr;
    UILabel* taglineLabel_ = nullptr;
    UIButton* webButton_ = nullptr;
    UILabel* versionLabel_ = nullptr;
};
