#include "editing/CRegisterClipboard.h"

#include "edit/register_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>

const char* const CRegisterClipboard::mime_type = "application/x-tessaly-registers";

CRegisterClipboard& CRegisterClipboard::shared() {
    static QPointer<CRegisterClipboard> instance;
    if (!instance)
        instance = new CRegisterClipboard(QGuiApplication::clipboard(), qApp);
    return *instance;
}

CRegisterClipboard::CRegisterClipboard(QClipboard* clipboard, QObject* parent)
    : QObject(parent), clipboard_(clipboard) {
    connect(clipboard_, &QClipboard::dataChanged, this, [this] {
        holds_.reset();
        emit changed();
    });
}

void CRegisterClipboard::put(const std::string& text, int device_code) {
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    const std::string payload = clipboard_payload(device_code, text);
    data->setData(QString::fromLatin1(mime_type),
                  QByteArray(payload.data(), static_cast<qsizetype>(payload.size())));
    clipboard_->setMimeData(data);
}

std::optional<CRegisterClipboard::content> CRegisterClipboard::get() const {
    const QMimeData* data = clipboard_->mimeData();
    if (data == nullptr)
        return std::nullopt;
    content c;
    if (data->hasFormat(QString::fromLatin1(mime_type))) {
        const QByteArray payload = data->data(QString::fromLatin1(mime_type));
        if (read_clipboard_payload(
                std::string_view(payload.constData(), static_cast<std::size_t>(payload.size())),
                c.device_code, c.text))
            return c;
    }
    if (!data->hasText())
        return std::nullopt;
    c.text = data->text().toStdString();
    c.device_code = -1;
    return c;
}

bool CRegisterClipboard::holds_registers() const {
    if (!holds_) {
        const std::optional<content> c = get();
        holds_ = c && ::holds_registers(c->text);
    }
    return *holds_;
}
