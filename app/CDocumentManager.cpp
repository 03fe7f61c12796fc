#include "app/CDocumentManager.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CRecentFiles.h"
#include "app/CTessalyDoc.h"
#include "app/CTransferCommands.h"
#include "app/file_prompter.h"
#include "app/reserved_names.h"
#include "core/user_interface.h"
#include "model/zrp_file.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QRegularExpression>

namespace {
const char* zrp_filter = "Zrp Files (*.zrp)";

bool is_reserved(const QString& path) {
    return reserved_extract_code(path) != not_reserved;
}

// The file-system identity of a document path, for finding a window that has it open.
QString document_key(const QString& path) {
    if (is_reserved(path))
        return path;
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
} // namespace

CDocumentManager::CDocumentManager(CRecentFiles& recent, CTransferCommands& transfers,
                                   file_prompter& prompter,
                                   std::function<bool()> show_protocol_dialog, QObject* parent)
    : QObject(parent), recent_(recent), transfers_(transfers), prompter_(&prompter),
      show_protocol_dialog_(std::move(show_protocol_dialog)) {}

QList<CChildFrame*> CDocumentManager::frames() const {
    QList<CChildFrame*> list;
    if (main_frame_)
        for (QMdiSubWindow* w : main_frame_->mdi_area()->subWindowList())
            if (auto* f = qobject_cast<CChildFrame*>(w))
                list << f;
    return list;
}

CChildFrame* CDocumentManager::active_frame() const {
    return main_frame_ ? main_frame_->active_child() : nullptr;
}

CTessalyDoc* CDocumentManager::active_document() const {
    CChildFrame* f = active_frame();
    return f ? f->document() : nullptr;
}

CChildFrame* CDocumentManager::frame_of(const CTessalyDoc* doc) const {
    for (CChildFrame* f : frames())
        if (f->document() == doc)
            return f;
    return nullptr;
}

CChildFrame* CDocumentManager::find_frame(const QString& path) const {
    const QString key = document_key(path);
    for (CChildFrame* f : frames())
        if (!f->document()->path().isEmpty() && document_key(f->document()->path()) == key)
            return f;
    return nullptr;
}

CTessalyDoc* CDocumentManager::open_in_new_window(CTessalyDoc* doc) {
    auto* frame = new CChildFrame(doc);
    frame->set_close_guard(
        [this, doc] { return transfers_.end_transfer_before_close(doc) && save_modified(doc); });
    main_frame_->add_child(frame);
    return doc;
}

CTessalyDoc* CDocumentManager::file_new() {
    auto* doc = new CTessalyDoc;
    if (!doc->on_new_document(show_protocol_dialog_())) {
        delete doc;
        return nullptr;
    }
    return open_in_new_window(doc);
}

void CDocumentManager::file_open() {
    const QString path = prompter_->open_path(main_frame_, QStringLiteral("Open"), zrp_filter,
                                              QString(), QStringLiteral("zrp"));
    if (!path.isEmpty())
        open_document_file(path);
}

CTessalyDoc* CDocumentManager::open_extraction(const QString& path, int code, bool add_to_recent) {
    if (code == extract_error_code) {
        transfers_.extract_error_list_to_window();
        return nullptr;
    }
    // The extraction runs on the transfer worker; its document opens when it ends.
    transfers_.extract_configuration(code,
                                     [this, path, add_to_recent](std::unique_ptr<zrp_file> map) {
                                         if (!map)
                                             return;
                                         // The same name may have been opened meanwhile (it was not
                                         // when the extraction began, and transfers run one at a
                                         // time): the new map then stays unopened.
                                         if (CChildFrame* open = find_frame(path)) {
                                             main_frame_->mdi_area()->setActiveSubWindow(open);
                                             return;
                                         }
                                         auto* doc = new CTessalyDoc;
                                         doc->on_extracted(std::move(map));
                                         doc->set_path(path);
                                         // Like a file, the name is remembered: choosing it again
                                         // extracts again.
                                         if (add_to_recent)
                                             recent_.add(path);
                                         open_in_new_window(doc);
                                         emit extraction_opened(doc);
                                     });
    return nullptr;
}

CTessalyDoc* CDocumentManager::open_document_file(const QString& path, bool add_to_recent) {
    if (path.isEmpty())
        return nullptr;
    if (const int code = reserved_extract_code(path); code != not_reserved) {
        if (CChildFrame* open = find_frame(path)) {
            main_frame_->mdi_area()->setActiveSubWindow(open);
            return open->document();
        }
        return open_extraction(path, code, add_to_recent);
    }
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (CChildFrame* open = find_frame(full)) {
        main_frame_->mdi_area()->setActiveSubWindow(open);
        return open->document();
    }
    auto* doc = new CTessalyDoc;
    if (!doc->on_open_document(full)) {
        delete doc;
        return nullptr;
    }
    doc->set_path(full);
    if (add_to_recent)
        recent_.add(full);
    open_in_new_window(doc);
    // Lines the reader had to guess at are said once, over the opened map.
    if (!doc->unread_lines().empty())
        ui().message(QDir::toNativeSeparators(full).toStdString() + ":\n" +
                     unread_lines_text(doc->unread_lines()));
    return doc;
}

bool CDocumentManager::save_document(CTessalyDoc* doc) {
    if (!doc)
        return false;
    // A new document, or one made by an extraction, has no file yet.
    if (doc->path().isEmpty() || is_reserved(doc->path()))
        return save_document_as(doc);
    return doc->on_save_document(doc->path());
}

bool CDocumentManager::save_document_as(CTessalyDoc* doc) {
    if (!doc)
        return false;
    QString start;
    if (!doc->path().isEmpty() && !is_reserved(doc->path())) {
        start = doc->path();
    } else {
        // The title of a new document is made to serve as a file name.
        QString name = is_reserved(doc->path()) ? QFileInfo(doc->path()).fileName() : doc->title();
        name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QString());
        start = QDir::current().filePath(name.trimmed() + ".zrp");
    }
    QString path = prompter_->save_path(main_frame_, QStringLiteral("Save As"), zrp_filter, start,
                                        QStringLiteral("zrp"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".zrp";
    path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!doc->on_save_document(path))
        return false;
    doc->set_path(path);
    recent_.add(path);
    return true;
}

bool CDocumentManager::save_modified(CTessalyDoc* doc) {
    if (!doc || !doc->is_modified())
        return true;
    const QString name = doc->path().isEmpty() ? doc->title() : QFileInfo(doc->path()).fileName();
    switch (
        prompter_->ask_save_changes(main_frame_, QStringLiteral("Save changes to %1?").arg(name))) {
    case file_prompter::save_answer::yes:
        return save_document(doc);
    case file_prompter::save_answer::no:
        return true;
    case file_prompter::save_answer::cancel:
        break;
    }
    return false;
}

bool CDocumentManager::close_all_documents() {
    for (CChildFrame* f : frames()) {
        main_frame_->mdi_area()->setActiveSubWindow(f);
        if (!f->close())
            return false;
    }
    return true;
}
