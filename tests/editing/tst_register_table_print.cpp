// The printed register table as a PDF holds it (read back with pdftotext): the title block,
// every register of a map with its words, the bit tables, the headings and "Page n of m" on
// every page; and the name print jobs carry, from which PDF file names are made.

#include "catalogue/parameter_list.h"
#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "editing/register_table_printing.h"
#include "model/zrp_file.h"
#include "tests/support/scripted_ui.h"

#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

namespace {
const QString plant = QStringLiteral(TESSALY_SOURCE_DIR "/tests/data/plant.zrp");
const std::string catalogue_file = TESSALY_SOURCE_DIR "/resources/params.lst";

// The text of every page of a PDF, pages separated by form feeds; empty without pdftotext.
QStringList pdf_pages(const QByteArray& pdf, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("table.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    if (!text.waitForFinished(30000) || text.exitCode() != 0)
        return {};
    QStringList pages;
    // Words as they follow each other, whatever lines a cell wrapped into.
    for (const QString& page : QString::fromUtf8(text.readAllStandardOutput()).split('\f'))
        if (!page.trimmed().isEmpty())
            pages << page.simplified();
    return pages;
}

QPageLayout a4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF());
}
} // namespace

class tst_register_table_print : public QObject {
    Q_OBJECT
  private:
    scripted_ui ui;
    parameter_list catalogue;
    QTemporaryDir dir;

  private slots:
    void initTestCase() {
        set_editor_ui(&ui);
        QCOMPARE(catalogue.load(catalogue_file), 0);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
    }
    void cleanupTestCase() { set_editor_ui(nullptr); }

    void plant_map_reads_in_words() {
        CTessalyDoc doc;
        QVERIFY(doc.on_open_document(plant));
        doc.set_path(plant);
        const QByteArray pdf = register_table_pdf(doc, &catalogue, a4());
        // Portrait A4 whatever the orientation the printer settings hold.
        QVERIFY(pdf.contains("/MediaBox [0 0 595.000000 842.000000]"));
        const QStringList pages = pdf_pages(pdf, dir);
        QCOMPARE(pages.size(), 1);
        const QString page = pages.front();
        const QString expected[] = {
            // Title block, head and headings.
            "Register table: plant.zrp", "Page 1 of 1", "Device:", "RDX", "Protocol:", "Modbus/TCP",
            "Settings: Byte order: MS byte first IP address: 192.168.0.10 Network mask: "
            "255.255.255.0 Default gateway: 192.168.0.1",
            "Printed:", "Register", "Feeder", "Parameter", "Format", "Scaling", "Min", "Max",
            "Word order", "Sign",
            // Every register: ranges, words, scaling, limits, descriptions.
            "40001", "FdrPercentOfLine", "Share of this feeder in the line rate",
            "Integer (numeric)", "Scale 1", "100", "40002-40004", "Massflow",
            "Actual mass flow of the feeder", "Integer (pass thru), 1 fractional word", "Reversed",
            "40005", "Setpoint", "* 1000 (shift 3)", "40006", "ROM constant 42", "41025",
            "Bitmap command", "41026", "Bitmap status", "41027-41030", "FeederName",
            "String Value, swapped",
            // The bit tables: bit, feeder, mnemonic, trigger mode or bit position.
            "Bit Feeder Mnemonic Trigger mode Bit 0 F:1 CRUN Rising edge",
            "Bit Feeder Mnemonic Bit position Bit 1 F:0 ASR bit 3 Bit 0 F:0 PSR bit 1"};
        for (const QString& text : expected)
            QVERIFY2(page.contains(text),
                     qPrintable(text + QStringLiteral(" missing in:\n") + page));
        // The unused bits are left out of the bit tables.
        QVERIFY(!page.contains(QStringLiteral("XXXX")));
    }

    // A long map: the running head and the column headings on every page, each register
    // once, in the map's order.
    void long_map_repeats_the_headings() {
        const QString path = dir.filePath(QStringLiteral("long line.zrp"));
        {
            std::ofstream out(path.toStdString());
            out << "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                   "REGMAX 65535\nNODENUM 1\nHREG\n";
            for (int i = 0; i < 200; ++i)
                out << 40001 + i << " 0 1 1 0 0 F:1 Massflow 100 0 1\n";
        }
        CTessalyDoc doc;
        QVERIFY(doc.on_open_document(path));
        doc.set_path(path);
        const QStringList pages = pdf_pages(register_table_pdf(doc, &catalogue, a4()), dir);
        QVERIFY(pages.size() >= 3);
        // A serial header's settings in words, as its settings windows show them.
        QVERIFY(pages.front().contains(
            QStringLiteral("Baud rate: 19200 Data bits: 8 Parity: none Stop bits: 1 Byte order: MS "
                           "byte first Node number: 1")));
        QString all;
        for (int p = 0; p < pages.size(); ++p) {
            const QString& page = pages[p];
            QVERIFY(page.contains(QStringLiteral("Register table: long line.zrp")));
            QVERIFY(page.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())));
            QVERIFY(
                page.contains(QRegularExpression(QStringLiteral("Register +Feeder +Parameter"))));
            QCOMPARE(page.contains(QStringLiteral("Printed:")), p == 0); // title block once
            all += page;
        }
        int at = -1;
        for (int i = 0; i < 200; ++i) {
            const int found = all.indexOf(QString::number(40001 + i), at + 1);
            QVERIFY2(found > at, qPrintable(QString::number(40001 + i)));
            at = found;
        }
    }

    // Print dialogs make the default PDF name from the job's name: never a folder.
    void job_names_are_file_names_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("saved map") << "/maps/line3.zrp"
                                   << "Modbus/TCP  line3.zrp"
                                   << "line3.zrp";
        QTest::newRow("new map") << ""
                                 << "Modbus/TCP  Quorvel"
                                 << "ModbusTCP  Quorvel";
        QTest::newRow("extracted") << "/extract_rdx"
                                   << "Modbus  extract_rdx"
                                   << "extract_rdx";
    }
    void job_names_are_file_names() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(QString, name);
        CTessalyDoc doc;
        doc.replace_map(std::make_unique<zrp_file>(10));
        if (!path.isEmpty())
            doc.set_path(path);
        doc.set_title(title);
        QCOMPARE(print_document_name(doc), name);
    }
};

QTEST_MAIN(tst_register_table_print)
#include "tst_register_table_print.moc"
