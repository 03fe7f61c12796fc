#include "editing/typed_search.h"

#include <QAbstractItemModel>
#include <QApplication>

QString typed_search::take(const QString& keys) {
    if (keys.isEmpty()) {
        text_.clear();
        return text_;
    }
    const bool continued =
        timer_.isValid() && timer_.elapsed() <= QApplication::keyboardInputInterval();
    timer_.start();
    const bool repeated = continued && text_ == keys;
    text_ = continued && !repeated ? text_ + keys : keys;
    return text_;
}

int typed_search::start_row(int current) const {
    if (current < 0)
        return 0;
    return current + (text_.size() == 1 ? 1 : 0);
}

int typed_search::find(const QAbstractItemModel& model, int start,
                       std::initializer_list<int> columns) const {
    const int rows = model.rowCount();
    for (int i = 0; i < rows; ++i) {
        const int row = (start + i) % rows;
        for (int column : columns)
            if (model.index(row, column).data().toString().startsWith(text_, Qt::CaseInsensitive))
                return row;
    }
    return -1;
}
