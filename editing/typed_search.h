#pragma once
// Type-to-jump in a list: the keys typed in quick succession make one search text, the same
// key again steps on to the next match, and the first row from a start (wrapping round) whose
// cell in one of the searched columns starts with the text is the match.

#include <QElapsedTimer>
#include <QString>

#include <initializer_list>

class QAbstractItemModel;

class typed_search {
  public:
    // Takes the keys a list's keyboard search brought; the text to search for (empty clears
    // the search).
    QString take(const QString& keys);
    // The first row to look at, with current the list's current row (-1 without one): a search
    // of one key starts after it, so that the same key steps on; a longer text may still match
    // the current row.
    int start_row(int current) const;
    // The row from start on (wrapping round) whose cell in one of columns starts with the
    // search text, case aside; -1 when none does.
    int find(const QAbstractItemModel& model, int start, std::initializer_list<int> columns) const;

  private:
    QString text_;
    QElapsedTimer timer_;
};
