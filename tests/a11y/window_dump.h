#pragma once
// A window written out as text: every control with its class, place, texts, accessible name
// and state, then the order the Tab key walks. Two builds whose windows look and read the same
// write the same text.

class QString;
class QWidget;

QString window_dump(const QString& name, QWidget* window);
