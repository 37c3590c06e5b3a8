#include "Menus/AboutViewController.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include "Platform/Core/Localized.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/ImageView.h"
#include "Platform/UI/PointGeometry.h"
#include "Platform/UI/UIButton.h"
#include "Platform/UI/UILabel.h"
#include "QuilletBuildInfo.h"

namespace {

// The layout in points, top to bottom, centred on a view 320 points wide.
constexpr qreal kArtworkTop = 24.0;
constexpr QSizeF kArtworkSize(150, 150);
constexpr qreal kNameTop = 184.0;
constexpr qreal kTaglineTop = 222.0;
constexpr qreal kButtonTop = 268.0;
constexpr QSizeF kButtonSize(220, 46);
constexpr qreal kVersionFromBottom = 34.0;

const QColor kIvory(0xf1, 0xe8, 0xd2);
const QColor kBrassLight(0xd6, 0xb0, 0x72);

QString localized(const char* english) { return QString::fromStdString(Localized::string(english)); }

QRectF centredRect(qreal viewWidth, qreal top, QSizeF size) {
    return QRectF((viewWidth - size.width()) / 2, top, size.width(), size.height());
}

}  // namespace

AboutViewController::AboutViewController(const QString& title, QWidget* parent) : ViewController(parent) {
    setTitle(title);
}

QString AboutViewController::versionText(const QString& version, const QString& buildIdentifier) {
    const QString build = buildIdentifier.size() > 6 ? buildIdentifier.left(7) : QStringLiteral("????");
    return localized("© 2026 The Quillet Project. ") + QStringLiteral("V%1 (build %2)").arg(version, build);
}

QString AboutViewController::bundleVersion() { return QString::fromUtf8(QuilletBuildInfoVersion); }

QString AboutViewController::buildIdentifier() { return QString::fromUtf8(QuilletBuildInfoSourceRevision); }

QUrl AboutViewController::webAddress() {
    const QUrl configured(QString::fromUtf8(QuilletBuildInfoWebAddress));
    if (!configured.isLocalFile() || QFileInfo::exists(configured.toLocalFile())) return configured;
    // Installed under another prefix than configured, or run where it was built.
    const QString besideProgram =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(QuilletBuildInfoInstalledReadme));
    for (const QString& readme : {besideProgram, QString::fromUtf8(QuilletBuildInfoSourceReadme)}) {
        if (QFileInfo::exists(readme)) return QUrl::fromLocalFile(QFileInfo(readme).canonicalFilePath());
    }
    return {};
}

void AboutViewController::viewDidLoad() {
    artworkView_ = new ImageView(this);
    artworkView_->setImage(ImageStore::imageNamed("aboutArtwork.png"));

    nameLabel_ = new UILabel(QStringLiteral("Quillet"), this);
    nameLabel_->setFontSize(30, true);
    nameLabel_->setTextColor(kIvory);
    nameLabel_->setShadowColor(QColor(0, 0, 0, 200), QSizeF(0, -1));
    nameLabel_->setTextAlignment(Qt::AlignCenter);

    taglineLabel_ = new UILabel(localized("A calculator for programmers and scientists"), this);
    taglineLabel_->setFontSize(13);
    taglineLabel_->setTextColor(kBrassLight);
    taglineLabel_->setTextAlignment(Qt::AlignCenter);

    webButton_ = new UIButton(this);
    webButton_->setTitle(localized("More about Quillet"));
    webButton_->setTitleFontSize(17);
    webButton_->setTitleColor(Qt::white);
    webButton_->setBackgroundImageNamed("aboutWebButton.png");
    webButton_->setBackgroundImageNamed("aboutWebButtonPressed.png", UIControlState::Highlighted);
    webButton_->setFocusPolicy(Qt::StrongFocus);
    webButton_->setAccessibleName(webButton_->title());
    connect(webButton_, &UIButton::touchUpInside, this, &AboutViewController::buttonWeb);
    // Without an address to open the button would promise what it cannot keep.
    webButton_->setVisible(!webAddress().isEmpty());
    setFocusProxy(webButton_);

    versionLabel_ = new UILabel(versionText(bundleVersion(), buildIdentifier()), this);
    versionLabel_->setFontSize(12);
    versionLabel_->setTextColor(QColor(0xa3, 0x96, 0x82));
    versionLabel_->setTextAlignment(Qt::AlignCenter);
    layoutForScale();
}

void AboutViewController::buttonWeb() {
    if (const QUrl address = webAddress(); !address.isEmpty()) QDesktopServices::openUrl(address);
}

void AboutViewController::resizeEvent(QResizeEvent* event) {
    ViewController::resizeEvent(event);
    layoutForScale();
}

void AboutViewController::layoutForScale() {
    if (!versionLabel_) return;
    const qreal width = PointScale::pointsFromPixels(this->width());
    const qreal height = PointScale::pointsFromPixels(this->height());
    artworkView_->setGeometry(PointGeometry::pixelRectFromPoints(centredRect(width, kArtworkTop, kArtworkSize)));
    nameLabel_->setGeometry(PointGeometry::pixelRectFromPoints(0, kNameTop, width, 36));
    taglineLabel_->setGeometry(PointGeometry::pixelRectFromPoints(0, kTaglineTop, width, 20));
    webButton_->setGeometry(PointGeometry::pixelRectFromPoints(centredRect(width, kButtonTop, kButtonSize)));
    versionLabel_->setGeometry(PointGeometry::pixelRectFromPoints(0, height - kVersionFromBottom, width, 20));
}

void AboutViewController::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal factor = PointScale::factor();
    painter.scale(factor, factor);
    const QSizeF size(width() / factor, height() / factor);
    // The ground is drawn to fill the view, so that its light falls the same at any height.
    ImageStore::imageNamed("backgroundAbout.png", size).draw(painter, QRectF(QPointF(0, 0), size));
}
