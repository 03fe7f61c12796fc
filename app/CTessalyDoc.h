#pragma once
// One open register map: the document owns one zrp_file and its edit layer (with the map's
// undo history), knows its path and title, derives the modified flag from the history and
// tells the views of the document when something changed. It is the bottom of the editor:
// the views and the application build on it, it calls none of them.

#include "model/map_read_report.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class map_editor;
class zrp_file;

class CTessalyDoc : public QObject {
    Q_OBJECT
  public:
    explicit CTessalyDoc(QObject* parent = nullptr);
    ~CTessalyDoc() override;

    // The owned map; nullptr only between construction and the end of New, Open or an
    // extraction.
    zrp_file* map() const { return map_.get(); }
    // The edit layer every change to the map goes through (only while there is a map).
    map_editor& editor() const { return *editor_; }
    // Installs a new map (the old one is deleted) and emits header_replaced().
    void replace_map(std::unique_ptr<zrp_file> map);
    // Tells the document that the map's header was replaced in place (the protocol
    // command); emits header_replaced().
    void notify_header_replaced();

    // Full path of the file, empty for a document never saved or opened.
    const QString& path() const { return path_; }
    // Sets the path; the title becomes the header's name, two blanks and the file's name.
    void set_path(const QString& path);
    // The window title (without the modified mark).
    const QString& title() const { return title_; }
    void set_title(const QString& title);

    // The map differs from its file: the state of its undo history is not the one last
    // saved (or opened).
    bool is_modified() const;
    // Clearing the flag makes the current state the saved one; setting it leaves the map
    // without a saved state until the next save (an extraction). Emits modified_changed()
    // when the flag changes.
    void set_modified(bool modified = true);

    // Undo and Redo of the map's history: the views, the settings form and the title follow.
    bool can_undo() const;
    bool can_redo() const;
    // The names of the steps Undo and Redo would take ("Delete 3 registers").
    QString undo_name() const;
    QString redo_name() const;
    void undo();
    void redo();

    // Tells every view of the document to refresh; sender is the view that made the
    // change (may be nullptr), hint says what changed (0: everything, n: row n - 1).
    void update_all_views(QObject* sender, int hint = 0);

    // New: creates a map, runs the host protocol selection unless show_protocol_dialog is
    // false. False (selection cancelled) leaves the document without a map.
    bool on_new_document(bool show_protocol_dialog);
    // Open: reads the file with a Retry/Cancel loop whose box says which file failed and why.
    // False when no map results. Running out of memory fails the open; the editor goes on.
    bool on_open_document(const QString& path);
    // The lines of the opened file the reader could not read as written (shown once the
    // document's window is open).
    const std::vector<unread_line>& unread_lines() const { return unread_lines_; }
    // A configuration read back from a card becomes the document's map, modified from the
    // start.
    void on_extracted(std::unique_ptr<zrp_file> map);
    // Save: writes the map atomically, asking Retry/Cancel when that fails. True only when
    // the file was written.
    bool on_save_document(const QString& path);
    // The protocol command: runs the host protocol selection on the map.
    void on_protocol();
    // A path as the file system and the core's file functions take it (the platform's
    // encoding of file names).
    static std::string native_path(const QString& path);

    // The map's text as Save writes it (what Send sends).
    std::string text() const;

  signals:
    // The map or its header was replaced: the frame rebuilds the form pane.
    void header_replaced();
    // Emitted by update_all_views().
    void views_update(QObject* sender, int hint);
    void modified_changed(bool modified);
    // A step was done, undone or redone, or the saved state changed.
    void history_changed();
    // Undo or Redo put back or changed the registers now at rows (ascending).
    void rows_touched(const QList<int>& rows);
    void title_changed(const QString& title);

  private:
    void title_from_path();
    // The title after the header changed: from the path, or the header's name and the
    // maker's name for a map without a file.
    void refresh_title();
    // The modified flag from the history, announced when it changed.
    void sync_modified();
    // Shows what Undo or Redo changed.
    void follow_history(bool header, bool header_replaced, const std::vector<int>& rows);

    std::unique_ptr<zrp_file> map_;
    std::unique_ptr<map_editor> editor_;
    std::vector<unread_line> unread_lines_;
    QString path_;
    QString title_;
    bool modified_ = false;
};
