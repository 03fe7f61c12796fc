// Printed register lists: which lines go on which page, reading the saved file, and the
// painted page (path, lines, page number) as a PDF holds it.

#include "printing/CRegisterPrinter.h"
#include "printing/print_pages.h"
#include "tests/support/scripted_ui.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <sstream>

class tst_register_print : public QObject {
    Q_OBJECT
  private slots:
    void pagination_data();
    void pagination();
    void reading_keeps_every_line();
    void prepare_reads_the_saved_file();
    void pages_paint_onto_a_pdf();
};

void tst_register_print::pagination_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("last_page_lines");
    QTest::newRow("empty file") << 0 << 1 << 0;
    QTest::newRow("one line") << 1 << 1 << 1;
    QTest::newRow("66 lines") << 66 << 1 << 66;
    QTest::newRow("67 lines") << 67 << 2 << 1;
    QTest::newRow("132 lines") << 132 << 2 << 66;
    QTest::newRow("133 lines") << 133 << 3 << 1;
}

void tst_register_print::pagination() {
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(int, last_page_lines);
    QCOMPARE(print_page_count(lines), pages);
    int covered = 0;
    for (int page = 1; page <= pages; ++page) {
        const auto range = print_page_lines(page, lines);
        QCOMPARE(range.first, covered); // pages follow each other without gap or overlap
        QVERIFY(range.end - range.first <= 66);
        covered = range.end;
    }
    QCOMPARE(covered, lines);
    const auto last = print_page_lines(pages, lines);
    QCOMPARE(last.end - last.first, last_page_lines);
    const auto beyond = print_page_lines(pages + 1, lines);
    QCOMPARE(beyond.end - beyond.first, 0);
    const auto before = print_page_lines(0, lines);
    QCOMPARE(before.end - before.first, 0);
}

void tst_register_print::reading_keeps_every_line() {
    std::string long_line(1000, 'x');
    std::istringstream in("RDX Modbus protocol\r\n\nHREG\n" + long_line + "\nlast");
    const auto lines = read_print_lines(in);
    QCOMPARE(lines.size(), std::size_t{5});
    QCOMPARE(lines[0], std::string("RDX Modbus protocol"));
    QCOMPARE(lines[1], std::string());
    QCOMPARE(lines[3], std::string(255, 'x')); // cut, and reading goes on
    QCOMPARE(lines[4], std::string("last"));
}

void tst_register_print::prepare_reads_the_saved_file() {
    scripted_ui ui;
    QTemporaryDir dir;
    const std::string path = dir.filePath("map.zrp").toStdString();
    std::ofstream(path) << "line 1\nline 2\n";
    const auto document = prepare_print(path, false, ui);
    QVERIFY(document);
    QCOMPARE(document->path, path);
    QCOMPARE(document->lines, (std::vector<std::string>{"line 1", "line 2"}));
    QCOMPARE(document->page_count(), 1);
    QVERIFY(ui.events.empty());

    // A folder in place of the file is refused like a missing file.
    QVERIFY(!prepare_print(dir.path().toStdString(), false, ui));
    QCOMPARE(ui.texts().size(), std::size_t{1});
    QVERIFY(ui.texts()[0].rfind("Failed to open File: ", 0) == 0);
}

void tst_register_print::pages_paint_onto_a_pdf() {
    print_document document;
    document.path = "/maps/line 3.zrp";
    for (int i = 1; i <= 67; ++i)
        document.lines.push_back("line " + std::to_string(i));
    const CRegisterPrinter job(document);
    QCOMPARE(job.page_count(), 2);

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(1200);
        QVERIFY(job.print(writer, 1, job.page_count()));
    }
    const QByteArray bytes = pdf.data();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2);

    // A line takes 200 twips whatever the device: 66 lines end above the page number.
    QPdfWriter probe(new QBuffer(this));
    probe.setResolution(1200);
    const QFont font = CRegisterPrinter::print_font(probe);
    const double line = QFontMetricsF(font, &probe).lineSpacing();
    QVERIFY(qAbs(line - 200.0 * 1200 / 1440) < 2.0);
    QVERIFY(font.fixedPitch() || QFontInfo(font).fixedPitch());
}

QTEST_MAIN(tst_register_print)
#include "tst_register_print.moc"
