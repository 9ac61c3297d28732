// Page margins of a report in millimetres, the number of body columns per page and the gap
// between columns.
#pragma once

#include <QObject>

namespace kv::report {

class PageMargins : public QObject {
    Q_OBJECT
public:
    explicit PageMargins(QObject* parent = nullptr);

    int left() const { return left_; }
    void setLeft(int mm) { set(left_, mm); }
    int right() const { return right_; }
    void setRight(int mm) { set(right_, mm); }
    int bottom() const { return bottom_; }
    void setBottom(int mm) { set(bottom_, mm); }
    int top() const { return top_; }
    void setTop(int mm) { set(top_, mm); }
    // Body columns per page; 0 or less keeps the previous value.
    int column() const { return column_; }
    void setColumn(int n);
    int columnSpace() const { return columnSpace_; }
    void setColumnSpace(int mm) { set(columnSpace_, mm); }

Q_SIGNALS:
    // Fired by every setter that changes a value.
    void onSizeChange();

private:
    void set(int& field, int v);

    int left_ = 0;
    int right_ = 0;
    int bottom_ = 0;
    int top_ = 0;
    int column_ = 1;
    int columnSpace_ = 0;
};

} // namespace kv::report
