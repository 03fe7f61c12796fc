#pragma once
// A push button that steps through a list of up to ten captions: each click shows the next
// one, wrapping to the first. The Commands page picks each bit's trigger mode with it. Screen
// readers hear its label with the caption shown ("Trigger mode: Active high").

#include <QPushButton>
#include <QString>

#include <array>

class CTriggerButton : public QPushButton {
    Q_OBJECT
  public:
    static constexpr int max_captions = 10;

    explicit CTriggerButton(QWidget* parent = nullptr);

    // No captions; the button shows "No items".
    void clear();
    // Appends a caption and returns its index, or -1 when ten are held. The first caption
    // added is shown.
    int add_caption(const QString& caption);
    // Shows the caption at index; an index that is not below the count is ignored.
    void select_index(int index);
    int current_index() const { return current_; }
    // The label the button is named by for screen readers, in front of its caption.
    void set_accessible_label(const QString& label);
    int count() const { return count_; }

  signals:
    // The user clicked the button and it now shows the caption at index.
    void index_changed(int index);

  private:
    void advance();
    void show_current();
    // Shows caption and names the button after its label and caption.
    void show_caption(const QString& caption);

    std::array<QString, max_captions> captions_;
    int count_ = 0;
    int current_ = 0;
    QString label_;
};
