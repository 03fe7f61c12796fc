#pragma once
// The commands that take a document's map to other forms and hold it against what a card
// would get: the register table (CSV) export and import, the comparison with the card's
// configuration and the map check. The two result windows are modeless; at most one of each
// is open, and a new result reuses it.

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

class CDeviceCompareDlg;
class QPrinter;
class CMapCheckDlg;
class CRegisterView;
class CTessalyDoc;
class CTransferCommands;
class QWidget;
class file_prompter;
class parameter_list;

class CMapCommands : public QObject {
    Q_OBJECT
  public:
    // transfers carries the extraction, catalogue offers the parameter names the check
    // expects; both and the prompter must outlive this object.
    CMapCommands(CTransferCommands& transfers, parameter_list& catalogue, file_prompter& prompter,
                 QObject* parent = nullptr);

    // The window the dialogs and result windows open over.
    void set_window(QWidget* window) { window_ = window; }
    void set_prompter(file_prompter& prompter) { prompter_ = &prompter; }

    // File > Export > Register Table (CSV): asks for a file and writes the document's
    // registers to it as a table, atomically. True when the table was written.
    bool export_register_table(CTessalyDoc* doc);
    // File > Import > Register Table (CSV): asks for a table and replaces the document's
    // registers with its rows through the edit layer (a conflicting row is reported and left
    // out); the document is then modified. A cell that does not parse is reported with its row
    // and column and nothing changes. True when the registers were replaced.
    bool import_register_table(CTessalyDoc* doc);
    // File > Print Register Table: the print dialog, then the table of the document's map as
    // it is now.
    void print_register_table(CTessalyDoc* doc, QPrinter& printer);
    // File > Export Register Table as PDF: asks for a file (named after the document's) and
    // writes the table to it, atomically, on portrait pages of the paper size printer is set
    // to. True when the file was written.
    bool export_register_table_pdf(CTessalyDoc* doc, const QPrinter& printer);

    // File > Compare with Device: extracts the configuration for the document's device over
    // the selected link (on the transfer worker) and shows how it differs from the map as the
    // card would hold it, after what the card does not get as the map says (the check's
    // findings); a finding or register is selected in view. The document does not change.
    void compare_with_device(CTessalyDoc* doc, CRegisterView* view = nullptr);
    // File > Send with a document: sends the map as it is now (unsaved changes included).
    void send_document(CTessalyDoc* doc);
    // Options > Check Map: shows what the card would not get as the document's map says;
    // view is the document's register list, where a finding's register is selected.
    void check_map(CTessalyDoc* doc, CRegisterView* view);

    CDeviceCompareDlg* compare_window() const;
    CMapCheckDlg* check_window() const;

  private:
    // The text the check reads for names the load cut: the document's file as saved, or the
    // text it would save when it has no file (or the file cannot be read).
    static std::string checked_text(const CTessalyDoc& doc);
    // Shows a result window, creating it on first use.
    template <class window_t> window_t* result_window(QPointer<window_t>& window);

    CTransferCommands& transfers_;
    parameter_list& catalogue_;
    file_prompter* prompter_;
    QPointer<QWidget> window_;
    QPointer<CDeviceCompareDlg> compare_dlg_;
    QPointer<CMapCheckDlg> check_dlg_;
};
