// print: the saved map printed as the editor prints it, into a PDF.

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "core/atomic_write.h"
#include "core/user_interface.h"
#include "printing/CRegisterPrinter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>
#include <string>

namespace {

// Printer resolution of the PDF, as the editor's high-resolution printer.
constexpr int pdf_resolution = 1200;

// Fonts and painting need a GUI application; a PDF needs no display, so the offscreen
// platform serves unless the caller chose another.
std::unique_ptr<QGuiApplication> gui_application() {
    if (QGuiApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tessaly-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Qt's own diagnostics (a missing runtime folder and the like) would break the rule that
// standard error carries only the command's messages.
class quiet_qt {
  public:
    quiet_qt() : previous_(qInstallMessageHandler(drop)) {}
    ~quiet_qt() { qInstallMessageHandler(previous_); }
    quiet_qt(const quiet_qt&) = delete;
    quiet_qt& operator=(const quiet_qt&) = delete;

  private:
    static void drop(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
};

int print_to_pdf(const std::string& file, const std::string& out) {
    // The file on disk is what gets printed: a path given on the command line counts as a
    // saved, unmodified document.
    auto document = prepare_print(file, false, cli_ui());
    if (!document)
        return exit_failed;
    // The page header names the file by its full path, as the editor's documents do.
    document->path = QFileInfo(QString::fromStdString(file)).absoluteFilePath().toStdString();
    const quiet_qt quiet;
    const auto application = gui_application();
    const CRegisterPrinter job(std::move(*document));

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(pdf_resolution);
        writer.setTitle(QString::fromStdString(file));
        writer.setCreator(QStringLiteral("tessaly-cli"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(6.35, 6.35, 6.35, 6.35),
                                         QPageLayout::Millimeter));
        if (!job.print(writer, 1, job.page_count())) {
            cli_ui().message("Unable to print " + file);
            return exit_failed;
        }
    }
    std::string error;
    const QByteArray& bytes = pdf.data();
    if (!atomic_write_file(out, std::string_view(bytes.constData(), bytes.size()), &error)) {
        cli_ui().message("Unable to write " + out + ": " + error);
        return exit_failed;
    }
    return exit_ok;
}

void install_print(CLI::App& app, int& exit_code) {
    auto* command =
        app.add_subcommand("print", "print the saved map as the editor prints it, into a PDF");
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    command->add_option("FILE", *file, "the saved map")->required();
    command->add_option("-o", *out, "the PDF to write")->required();
    command->callback([file, out, &exit_code] { exit_code = print_to_pdf(*file, *out); });
}

} // namespace

TESSALY_CLI_COMMANDS(install_print);
