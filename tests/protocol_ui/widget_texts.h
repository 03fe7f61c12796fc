#pragma once
// Every text a window shows: label texts, group titles, button texts and list column headings.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QTreeWidget>

// The texts of the serial settings a form or dialog shows for every serial protocol.
inline const QStringList serial_labels = {
    "Baud rate", "9600",   "19200",      "38400",         "Data bits",     "7",
    "8",         "Parity", "None",       "Even",          "Odd",           "Stop bits",
    "1",         "2",      "Byte order", "MS byte first", "LS byte first", "Node num:"};

inline QStringList shown_texts(const QWidget* window) {
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts << label->text();
    for (const QGroupBox* group : window->findChildren<QGroupBox*>())
        texts << group->title();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QTreeWidget* list : window->findChildren<QTreeWidget*>())
        for (int c = 0; c < list->columnCount(); ++c)
            texts << list->headerItem()->text(c);
    return texts;
}

// The expected texts the window does not show (empty when it shows them all).
inline QStringList missing_texts(const QWidget* window, const QStringList& expected) {
    const QStringList shown = shown_texts(window);
    QStringList missing;
    for (const QString& text : expected)
        if (!shown.contains(text))
            missing << text;
    return missing;
}
