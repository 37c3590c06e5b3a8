#include "Platform/UI/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

std::optional<std::string> Clipboard::valueForPasteboardType(std::string_view type) {
    if (type != ClipboardTypeUTF8PlainText) return std::nullopt;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

void Clipboard::setValueForPasteboardType(std::string_view value, std::string_view type) {
    if (type != ClipboardTypeUTF8PlainText) return;
    QGuiApplication::clipboard()->setText(QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}
