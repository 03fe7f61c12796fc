// The Live Values window against ombra-sim on 127.0.0.1: the rows and values of a map of every
// format after a round, a value written from the table and read back, a refused write, a
// command bit fired through the bit editor, the card stopped and started again, the map
// edited while polling, a recording, and the maps live values cannot read.

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "edit/map_editor.h"
#include "live_ui/CCommandBitsDialog.h"
#include "live_ui/CLiveConnectionBar.h"
#include "live_ui/CLiveTableModel.h"
#include "live_ui/CLiveTableView.h"
#include "live_ui/CLiveValuesWindow.h"
#include "model/zrp_file.h"
#include "tests/live_ui/live_fixture.h"
#include "tests/support/scripted_ui.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QtTest>

#include <memory>
#include <sstream>

class tst_live_values : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void rows_after_one_round_data();
    void rows_after_one_round();
    void writes_from_the_table();
    void command_bit_through_the_bit_editor();
    void card_stopped_and_started_again();
    void map_edited_while_polling();
    void records_every_round();
    void maps_without_live_values_data();
    void maps_without_live_values();

  private:
    // A document of text saved as path, its window, and the card serving card_map.
    void open(const QString& text, const QString& card_map = {});
    bool start_polling();
    QString cell(int row, int column) const {
        return window_->model()->index(row, column).data().toString();
    }
    bool round_shows(int row, int column, const QString& text) {
        return wait_for([&] { return cell(row, column) == text; });
    }

    scripted_ui ui_;
    std::unique_ptr<scoped_editor_ui> installed_;
    QTemporaryDir dir_;
    std::unique_ptr<QSettings> store_;
    std::unique_ptr<CTessalyDoc> doc_;
    QPointer<CLiveValuesWindow> window_;
    std::unique_ptr<live_card> card_;
};

void tst_live_values::init() {
    installed_ = std::make_unique<scoped_editor_ui>(ui_);
    QFile::remove(dir_.filePath(QStringLiteral("settings.ini")));
    store_ = std::make_unique<QSettings>(dir_.filePath(QStringLiteral("settings.ini")),
                                         QSettings::IniFormat);
}

void tst_live_values::cleanup() {
    delete window_;
    doc_.reset();
    card_.reset();
    store_.reset();
    installed_.reset();
}

void tst_live_values::open(const QString& text, const QString& card_map) {
    const QString path = dir_.filePath(QStringLiteral("map.zrp"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    doc_ = std::make_unique<CTessalyDoc>();
    QVERIFY(doc_->on_open_document(path));
    doc_->set_path(path);
    if (!card_map.isEmpty()) {
        card_ = std::make_unique<live_card>(card_map, QLatin1String(live_card_files::values_text));
        QVERIFY(card_->start());
    }
    window_ = new CLiveValuesWindow(doc_.get(), *store_);
    window_->show();
}

bool tst_live_values::start_polling() {
    auto* bar = window_->connection_bar();
    auto* port = bar->findChild<QSpinBox*>(QStringLiteral("port"));
    port->setValue(card_->port);
    bar->interval_box()->setValue(0.2);
    bar->start_button()->click();
    return wait_for([&] { return bar->state() == QLatin1String("Connected"); });
}

void tst_live_values::rows_after_one_round_data() {
    QTest::addColumn<QString>("byte_order");
    QTest::newRow("high byte first") << QStringLiteral("MSBYTE_FIRST");
    QTest::newRow("low byte first") << QStringLiteral("LSBYTE_FIRST");
}

void tst_live_values::rows_after_one_round() {
    QFETCH(QString, byte_order);
    const QString map = map_text(byte_order.toLatin1().constData());
    open(map, map);
    QVERIFY(start_polling());
    QVERIFY(wait_for([&] { return !cell(0, col_status).isEmpty(); }));
    const bool swapped = byte_order == QLatin1String("LSBYTE_FIRST");
    QCOMPARE(window_->model()->rowCount(), int(std::size(every_format)));
    for (int r = 0; r < int(std::size(every_format)); ++r) {
        const expected_row& e = every_format[r];
        QCOMPARE(cell(r, col_register), QLatin1String(e.reg));
        QCOMPARE(cell(r, col_value), QLatin1String(e.value));
        const QString raw = QLatin1String(e.raw);
        QCOMPARE(cell(r, col_raw), swapped ? swap_bytes(raw) : raw);
        QCOMPARE(cell(r, col_status), QLatin1String(e.status));
    }
    // A round that brings the same values repaints none of their cells.
    QSignalSpy changed(window_->model(), &CLiveTableModel::dataChanged);
    QTest::qWait(500);
    for (const auto& args : changed)
        QVERIFY(args[0].toModelIndex().column() == col_trend);
    // A screen reader reads the value column's text, and the trend's lowest, highest and last.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window_->table());
    QVERIFY(table && table->tableInterface());
    QCOMPARE(table->tableInterface()->cellAt(1, col_value)->text(QAccessible::Name),
             QStringLiteral("1.5"));
    QCOMPARE(table->tableInterface()->cellAt(1, col_trend)->text(QAccessible::Name),
             QStringLiteral("min 1.5, max 1.5, last 1.5"));
    // The status register's tooltip names each bit and its value.
    const QString tip = window_->model()
                            ->index(window_->model()->row_of(40025), col_value)
                            .data(Qt::ToolTipRole)
                            .toString();
    QVERIFY2(tip.contains(QLatin1String("Bit 0: PSR bit 4, F:1 = 1")), qPrintable(tip));
    // The connection is offered again for this map file.
    delete window_;
    window_ = new CLiveValuesWindow(doc_.get(), *store_);
    QCOMPARE(window_->connection_bar()->findChild<QSpinBox*>(QStringLiteral("port"))->value(),
             card_->port);
    QCOMPARE(window_->connection_bar()->interval_seconds(), 0.2);
}

void tst_live_values::writes_from_the_table() {
    open(map_text(), map_text());
    QVERIFY(start_polling());
    CLiveTableView* view = window_->table();
    struct row {
        int row;
        const char* typed;
        const char* shown;   // the value the next rounds show
        const char* refusal; // the message of a refused write, or nullptr
    };
    const row rows[] = {
        {3, "15.5", "15.5", nullptr},
        {8, "Tank 7", "\"Tank 7\"", nullptr},
        {2, "150", "12.3", "Value out of range: 150 is outside 0 to 100."},
        {0, "12kg", "-7", "Not a number: 12kg."},
    };
    for (const row& r : rows) {
        QVERIFY(round_shows(r.row, col_status, QStringLiteral("OK")));
        // F2 on any cell of the row edits its value; Enter writes it.
        view->setCurrentIndex(window_->model()->index(r.row, col_feeder));
        QTest::keyClick(view, Qt::Key_F2);
        auto* editor =
            qobject_cast<QLineEdit*>(view->indexWidget(window_->model()->index(r.row, col_value)));
        QVERIFY(editor);
        QTest::keyClicks(editor, QLatin1String(r.typed));
        QTest::keyClick(editor, Qt::Key_Return);
        if (r.refusal) {
            // The editor hands its text over once the key press is done.
            QVERIFY(wait_for([&] {
                return window_->message_box() &&
                       window_->message_box()->text() == QLatin1String(r.refusal);
            }));
            QCOMPARE(cell(r.row, col_status), QLatin1String(r.refusal));
            window_->message_box()->close();
            QTest::qWait(500); // rounds that would show a value sent in spite of the refusal
        }
        QVERIFY(round_shows(r.row, col_value, QLatin1String(r.shown)));
    }
    // Escape leaves the value as the card has it.
    view->setCurrentIndex(window_->model()->index(3, col_value));
    QTest::keyClick(view, Qt::Key_F2);
    auto* editor =
        qobject_cast<QLineEdit*>(view->indexWidget(window_->model()->index(3, col_value)));
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("99"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::qWait(600);
    QCOMPARE(cell(3, col_value), QStringLiteral("15.5"));
}

void tst_live_values::command_bit_through_the_bit_editor() {
    open(map_text(), map_text());
    QVERIFY(start_polling());
    const int commands = window_->model()->row_of(40024);
    QVERIFY(round_shows(commands, col_value, QStringLiteral("0000000000000000")));
    CCommandBitsDialog* bits = window_->open_command_bits(commands);
    QVERIFY(bits);
    QCOMPARE(bits->bit_box(2)->text(), QStringLiteral("Bit 2: CA03, F:1, Rising edge"));
    bits->bit_box(2)->setChecked(true);
    QCOMPARE(bits->word(), std::uint16_t(4));
    bits->accept();
    QVERIFY(round_shows(commands, col_value, QStringLiteral("0000000000000100")));
    card_->stop();
    // Bit 2 rose (CA03, Rising edge); bit 1 stayed 0 (CA02, Active low fires on every write
    // that leaves it 0).
    QCOMPARE(card_->fired(), QStringList({QStringLiteral("F:1 CA02"), QStringLiteral("F:1 CA03")}));
}

void tst_live_values::card_stopped_and_started_again() {
    open(map_text(), map_text());
    QVERIFY(start_polling());
    QVERIFY(round_shows(0, col_value, QStringLiteral("-7")));
    card_->stop();
    auto* bar = window_->connection_bar();
    const QString refused =
        QStringLiteral("Could not connect to 127.0.0.1:%1: Connection refused").arg(card_->port);
    QVERIFY(wait_for([&] { return bar->state() == refused; }));
    // The last values stay on show, greyed once three intervals old, marked as not read.
    QVERIFY(round_shows(0, col_status, QStringLiteral("No connection")));
    QCOMPARE(cell(0, col_value), QStringLiteral("-7"));
    QVERIFY(wait_for([&] { return window_->model()->row(0).stale; }));
    QVERIFY(!window_->model()->index(0, col_status).data(Qt::DecorationRole).isNull());
    QVERIFY(card_->start());
    QVERIFY(wait_for([&] { return bar->state() == QLatin1String("Connected"); }));
    QVERIFY(round_shows(0, col_status, QStringLiteral("OK")));
    QVERIFY(!window_->model()->row(0).stale);
    // Stopping ends the traffic at once; the window goes with a round under way.
    bar->start_button()->click();
    QCOMPARE(bar->state(), QStringLiteral("Stopped"));
    QVERIFY(!window_->running());
    bar->start_button()->click();
    delete window_;
    QTest::qWait(300);
}

void tst_live_values::map_edited_while_polling() {
    open(map_text(), map_text());
    QVERIFY(start_polling());
    CLiveTableModel* model = window_->model();
    QVERIFY(round_shows(1, col_status, QStringLiteral("OK")));
    const int rows = model->rowCount();
    auto edited = [&](const std::function<void()>& edit) {
        edit();
        doc_->update_all_views(nullptr, 0);
    };
    // A register the card does not hold is added; one it holds is deleted.
    edited([&] { doc_->editor().paste("40100 0 1 0 0 0 F:1 Count\n"); });
    QVERIFY(wait_for([&] { return model->row_of(40100) >= 0; }));
    QVERIFY(round_shows(model->row_of(40100), col_status, QStringLiteral("Illegal data address")));
    // A write the card answers with an exception says so.
    QVERIFY(model->setData(model->index(model->row_of(40100), col_value), QStringLiteral("3")));
    QVERIFY(wait_for([&] {
        return window_->message_box() && window_->message_box()->text() ==
                                             QLatin1String("Register 40100: Illegal data address");
    }));
    edited([&] { doc_->editor().delete_rows({0}); });
    QVERIFY(wait_for([&] { return model->row_of(40001) < 0; }));
    QCOMPARE(model->rowCount(), rows);
    // Undo brings the map back, and the rows with it; the card is left as it is.
    doc_->undo();
    doc_->undo();
    QVERIFY(wait_for([&] { return model->row_of(40100) < 0 && model->row_of(40001) == 0; }));
    QVERIFY(round_shows(0, col_value, QStringLiteral("-7")));
    QCOMPARE(model->rowCount(), rows);
}

void tst_live_values::records_every_round() {
    open(map_text(), map_text());
    QVERIFY(start_polling());
    const QString path = dir_.filePath(QStringLiteral("live.csv"));
    QVERIFY(window_->start_recording(path));
    QVERIFY(!window_->start_recording(dir_.filePath(QStringLiteral("no/such/folder.csv"))));
    QVERIFY(window_->message_box());
    QVERIFY(window_->recording());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Each round is in the file as soon as it is done.
    QByteArray text;
    QVERIFY(wait_for([&] {
        text += file.readAll();
        return text.count("\r\n") > 1 + 2 * int(std::size(every_format));
    }));
    window_->stop_recording();
    const QList<QByteArray> lines = text.split('\n');
    QCOMPARE(lines[0], QByteArray("Time,Register,Feeder,Parameter,Value,Raw\r"));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}"
                                              "[+-]\\d\\d:\\d\\d,40001,1,Count,-7,FFF9\r$"))
                .match(QString::fromUtf8(lines[1]))
                .hasMatch());
    QVERIFY(text.contains(",40013,1,FeederName,\"\"\"Line A\"\"\",694C 656E 4120\r\n"));
    QVERIFY(text.contains(",40030,1,Odd,error: width does not fit the format,0000\r\n"));
}

void tst_live_values::maps_without_live_values_data() {
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("Siemens") << QStringLiteral(
                                    "RDX Siemens protocol\nREGMAX 65535\nNODENUM 1\nHREG\n")
                             << QStringLiteral("Live values need a Modbus or Modbus/TCP map.");
    QTest::newRow("ASCII") << QStringLiteral("WNT Modbus protocol\nPLC_CHAN 19200 ASCII 8 "
                                             "NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 65535\n"
                                             "NODENUM 1\nHREG\n")
                           << QStringLiteral("Live values need Modbus RTU; this map uses ASCII.");
    QTest::newRow("RTU") << QStringLiteral("WNT Modbus protocol\nPLC_CHAN 38400 RTU 8 "
                                           "EVEN_PARITY 2STOPBITS MSBYTE_FIRST\nREGMAX 65535\n"
                                           "NODENUM 3\nHREG\n40001 0 1 0 0 0 F:1 Count\n")
                         << QString();
}

void tst_live_values::maps_without_live_values() {
    QFETCH(QString, map);
    QFETCH(QString, refusal);
    open(map);
    QCOMPARE(window_->refusal(), refusal);
    QCOMPARE(window_->connection_bar()->isVisible(), refusal.isEmpty());
    if (!refusal.isEmpty())
        return;
    // A serial map: its settings and node number, and the port still to be entered.
    const connection_settings s = window_->connection_bar()->connection();
    QCOMPARE(int(s.transport), int(link_transport::rtu));
    QCOMPARE(s.baud, 38400);
    QCOMPARE(s.parity, 'E');
    QCOMPARE(s.stop_bits, 2);
    QCOMPARE(s.unit, 3);
    window_->start();
    QVERIFY(!window_->running());
    QCOMPARE(window_->connection_bar()->state(),
             QStringLiteral("Enter the serial port of the card's host side."));
}

QTEST_MAIN(tst_live_values)
#include "tst_live_values.moc"
