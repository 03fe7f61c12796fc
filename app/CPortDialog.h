#pragma once
// Options > Port Setup: the COM port name (any name can be typed; the list offers the serial
// ports the system reports) and the choice between the COM and the USB link.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QRadioButton;

class CPortDialog : public QDialog {
    Q_OBJECT
  public:
    // ports: the names the list offers (sorted here); current_port: the stored "ComPort";
    // use_usb: whether the USB link is selected now.
    CPortDialog(const QStringList& ports, const QString& current_port, bool use_usb,
                QWidget* parent = nullptr);

    QString port_name() const;
    bool usb_chosen() const;
    QComboBox* port_box() const { return port_box_; }
    QRadioButton* com_button() const { return com_; }
    QRadioButton* usb_button() const { return usb_; }

    // The serial ports the system reports, by the names the COM link opens them with.
    static QStringList system_ports();

  private:
    QComboBox* port_box_;
    QRadioButton* com_;
    QRadioButton* usb_;
};
