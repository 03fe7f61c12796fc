#pragma once
// The register list's table over a document's zrp_file: one row per register in the file's
// order, twelve text columns. Cells are computed when the view asks for them, so a map of any
// size shows at once. The table only reads the map; what the list does to it before showing it
// (sorting, normalising) is the edit layer's.

#include <QAbstractTableModel>
#include <QPointer>

class CTessalyDoc;
class host_register;
class zrp_file;

class CRegisterTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CRegisterTableModel(CTessalyDoc* doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Shows every row of the map afresh.
    void reset_rows();
    // Shows one row again after its register changed in place; a map whose length changed
    // behind the table's back is shown afresh instead.
    void refresh_row(int row);

    // The register shown at row, or nullptr.
    host_register* register_at(int row) const;

  private:
    zrp_file* file() const;

    QPointer<CTessalyDoc> doc_; // the frame may delete the document before its views
    // Rows shown; kept apart from the file's count so that a file changed behind the table's
    // back is never read past its end before the next rebuild.
    int rows_ = 0;
};
