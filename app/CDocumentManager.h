#pragma once
// The open documents and their windows: File New, Open (including the reserved extract
// names, which become extractions before a document exists), Save and Save As, the save
// question before a modified document closes, closing them all, and finding the window of a
// document or a path.

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class CChildFrame;
class CMainFrame;
class CRecentFiles;
class CTessalyDoc;
class CTransferCommands;
class file_prompter;

class CDocumentManager : public QObject {
    Q_OBJECT
  public:
    // show_protocol_dialog answers whether File New runs the host protocol selection.
    CDocumentManager(CRecentFiles& recent, CTransferCommands& transfers, file_prompter& prompter,
                     std::function<bool()> show_protocol_dialog, QObject* parent = nullptr);

    // The window that holds the document windows.
    void set_main_frame(CMainFrame* frame) { main_frame_ = frame; }
    void set_prompter(file_prompter& prompter) { prompter_ = &prompter; }

    CTessalyDoc* file_new();
    void file_open();
    // Opens path as a document, or activates its window when it is open already. A reserved
    // extract name starts its extraction instead of reading a file and gives nullptr: the
    // document opens when the extraction ends (extraction_opened).
    CTessalyDoc* open_document_file(const QString& path, bool add_to_recent = true);
    bool save_document(CTessalyDoc* doc);
    bool save_document_as(CTessalyDoc* doc);
    // Before a modified document closes: asks "Save changes to %1?". False to keep it open.
    bool save_modified(CTessalyDoc* doc);
    // Closes every document (asking to save modified ones); false when the user cancelled.
    bool close_all_documents();

    QList<CChildFrame*> frames() const;
    CChildFrame* active_frame() const;
    CTessalyDoc* active_document() const;
    // The window showing doc, or nullptr.
    CChildFrame* frame_of(const CTessalyDoc* doc) const;

  signals:
    // An extraction ended and its map opened as doc.
    void extraction_opened(CTessalyDoc* doc);

  private:
    // A configuration or error-list extraction for a reserved name.
    CTessalyDoc* open_extraction(const QString& path, int code, bool add_to_recent);
    CTessalyDoc* open_in_new_window(CTessalyDoc* doc);
    CChildFrame* find_frame(const QString& path) const;

    CRecentFiles& recent_;
    CTransferCommands& transfers_;
    file_prompter* prompter_;
    std::function<bool()> show_protocol_dialog_;
    CMainFrame* main_frame_ = nullptr;
};
