#include "app/CHelpWindow.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

const char* CHelpWindow::contents_page = "index.html";

namespace {
struct help_context_page {
    int context;
    const char* page;
};
// Context numbers the settings dialogs ask for.
constexpr help_context_page context_pages[] = {
    {11, "block_definitions.html"},
    {13, "profinet.html"},
};
} // namespace

QString CHelpWindow::page_of_context(int context) {
    for (const help_context_page& p : context_pages)
        if (p.context == context)
            return p.page;
    return contents_page;
}

CHelpWindow::CHelpWindow(const QString& folder, QWidget* parent)
    : QDialog(parent), folder_(folder) {
    setWindowTitle(QStringLiteral("Tessaly Help"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    browser_ = new QTextBrowser;
    browser_->setAccessibleName(QStringLiteral("Help page"));
    browser_->setSearchPaths({folder_});
    // The pages share one style sheet, which the browser does not load from their links.
    QFile style(QDir(folder_).filePath("style.css"));
    if (style.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(style.read(64 * 1024)));
    browser_->setOpenExternalLinks(true);

    auto* back = new QPushButton(QStringLiteral("&Back"));
    auto* contents = new QPushButton(QStringLiteral("&Contents"));
    auto* close = new QPushButton(QStringLiteral("Close"));
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, &CHelpWindow::show_contents);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle("Tessaly Help - " + browser_->documentTitle()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(640, 520);
}

void CHelpWindow::show_contents() {
    show_page(contents_page);
}

void CHelpWindow::show_context(int context) {
    show_page(page_of_context(context));
}

void CHelpWindow::show_page(const QString& page) {
    browser_->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(page)));
    show();
    raise();
    activateWindow();
}
