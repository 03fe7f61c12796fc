#pragma once
// The connection bar of the Live Values window: how the card's host side is reached
// (Modbus/TCP host, port and unit, or Modbus RTU serial port, baud rate, parity, stop bits and
// slave address), the poll interval, Start/Stop, Record... and the state of the connection.
// The fields are locked while the card is polled; the interval may change at any time.

#include "live/live_map.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class CLiveConnectionBar : public QWidget {
    Q_OBJECT
  public:
    explicit CLiveConnectionBar(QWidget* parent = nullptr);

    void set_connection(const connection_settings& settings);
    // The connection as entered (the time-out is the one last set).
    connection_settings connection() const;
    // Why the connection as entered cannot be tried (no host, no serial port, a slave address
    // a serial line cannot carry), or empty.
    QString problem() const;

    // The poll interval, 0.2 s to 60 s.
    void set_interval_seconds(double seconds);
    double interval_seconds() const;

    // Start becomes Stop and the connection fields are locked while running.
    void set_running(bool running);
    // Record... becomes Stop Recording while recording.
    void set_recording(bool recording);
    // The state of the connection ("Connected", "No answer", "Could not connect to ...").
    void set_state(const QString& text);
    QString state() const;

    QPushButton* start_button() const { return start_; }
    QPushButton* record_button() const { return record_; }
    QDoubleSpinBox* interval_box() const { return interval_; }
    QLineEdit* host_edit() const { return host_; }

  signals:
    void start_clicked();
    void stop_clicked();
    void record_clicked();
    void interval_changed(double seconds);

  private:
    void show_transport();
    bool is_tcp() const;

    connection_settings settings_;
    bool running_ = false;
    QComboBox* transport_;
    QWidget* tcp_fields_;
    QLineEdit* host_;
    QSpinBox* port_;
    QWidget* rtu_fields_;
    QComboBox* device_;
    QComboBox* baud_;
    QComboBox* parity_;
    QComboBox* stop_bits_;
    QLabel* unit_label_;
    QSpinBox* unit_;
    QDoubleSpinBox* interval_;
    QPushButton* start_;
    QPushButton* record_;
    QLabel* state_;
};
