#include "editing/CPageScrollArea.h"

#include <QEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

CPageScrollArea::CPageScrollArea(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    // The page keeps the look of the tab it sits on.
    viewport()->setAutoFillBackground(false);
}

QWidget* CPageScrollArea::content_of(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* area = new CPageScrollArea(page);
    auto* content = new QWidget(area);
    area->setWidget(content);
    content->setAutoFillBackground(false); // setWidget turns it on
    layout->addWidget(area);
    return content;
}

QSize CPageScrollArea::sizeHint() const {
    if (!widget())
        return QScrollArea::sizeHint();
    // As a window is first sized: what the page wants within two thirds of the screen, but
    // never less than its controls need.
    QSize wanted = widget()->sizeHint();
    if (const QScreen* shown_on = screen())
        wanted = wanted.boundedTo(shown_on->availableGeometry().size() * 2 / 3);
    const int frame = 2 * frameWidth();
    return wanted.expandedTo(widget()->minimumSizeHint()) + QSize(frame, frame);
}

bool CPageScrollArea::eventFilter(QObject* watched, QEvent* event) {
    // A page that grew (controls filled when it is first shown) asks the dialog for room.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

QSize CPageScrollArea::minimumSizeHint() const {
    // Room for a few controls and both scroll bars.
    const int h = fontMetrics().height();
    return QSize(12 * h, 8 * h) + QSize(verticalScrollBar()->sizeHint().width(),
                                        horizontalScrollBar()->sizeHint().height());
}
