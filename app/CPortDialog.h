#pragma once
// Options > Port Setup: the COM port name (any name can be typed; the list offers COM1 to
// COM9 and the serial ports the system reports, each with what it is beside its name) and the
// choice between the COM and the USB link.

#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QRadioButton;

class CPortDialog : public QDialog {
    Q_OBJECT
  public:
    // One entry of the port list: the name the COM link opens, and what the port is.
    struct entry {
        QString name;
        QString description;
    };

    // ports: the entries the list offers (sorted here by name); current_port: the stored
    // "ComPort"; use_usb: whether the USB link is selected now.
    CPortDialog(const QList<entry>& ports, const QString& current_port, bool use_usb,
                QWidget* parent = nullptr);
    // The same with names only.
    CPortDialog(const QStringList& ports, const QString& current_port, bool use_usb,
                QWidget* parent = nullptr);

    QString port_name() const;
    bool usb_chosen() const;
    QComboBox* port_box() const { return port_box_; }
    QRadioButton* com_button() const { return com_; }
    QRadioButton* usb_button() const { return usb_; }
    // The description shown beside the list's row-th name.
    QString description(int row) const;

    // The list for the ports the system reports (device path and description): COM1 to COM9,
    // each described by the device it opens, then every reported port that no COMn of the
    // list stands for.
    static QList<entry> port_entries(const QList<entry>& reported);
    // port_entries for the ports the system reports now.
    static QList<entry> system_ports();

  private:
    QComboBox* port_box_;
    QRadioButton* com_;
    QRadioButton* usb_;
};
