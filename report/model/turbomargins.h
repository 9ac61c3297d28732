// Page margins of a report in millimetres, the number of body columns per page and the gap
// between columns.
#pragma once

#include <QObject>

namespace kv::report {

class TTurboMargins : public QObject {
    Q_OBJECT
public:
    explicit TTurboMargins(QObject* parent = nullptr);

    int Left() const { return left_; }
    void SetLeft(int mm) { set(left_, mm); }
    int Right() const { return right_; }
    void SetRight(int mm) { set(right_, mm); }
    int Bottom() const { return bottom_; }
    void SetBottom(int mm) { set(bottom_, mm); }
    int Top() const { return top_; }
    void SetTop(int mm) { set(top_, mm); }
    // Body columns per page; 0 or less keeps the previous value.
    int Column() const { return column_; }
    void SetColumn(int n);
    int ColumnSpace() const { return columnSpace_; }
    void SetColumnSpace(int mm) { set(columnSpace_, mm); }

Q_SIGNALS:
    // Fired by every setter that changes a value.
    void OnSizeChange();

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
