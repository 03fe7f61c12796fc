#pragma once
// The system clipboard as the register list uses it: copied registers go on it as plain
// text (the entries as the map file holds them) and in a private format that carries the
// same text with the source map's device; Paste takes the private format when it is there and
// the plain text otherwise. Whether the clipboard holds registers is worked out once per
// clipboard change, since the menus ask often.

#include <QObject>

#include <optional>
#include <string>

class QClipboard;

class CRegisterClipboard : public QObject {
    Q_OBJECT
  public:
    // The private format's MIME type.
    static const char* const mime_type;

    // The application's clipboard.
    static CRegisterClipboard& shared();
    explicit CRegisterClipboard(QClipboard* clipboard, QObject* parent = nullptr);

    // Puts text (register entries) on the clipboard, copied from a map of device_code.
    void put(const std::string& text, int device_code);

    struct content {
        std::string text;
        // The device of the map the text was copied from; -1 when only plain text is there.
        int device_code = -1;
    };
    // What the clipboard holds as text; nothing when it holds none.
    std::optional<content> get() const;
    // True while the clipboard's text holds at least one register entry.
    bool holds_registers() const;

  signals:
    // The clipboard's content changed (here or in another program).
    void changed();

  private:
    QClipboard* clipboard_;
    mutable std::optional<bool> holds_;
};
