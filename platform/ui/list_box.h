#pragma once
// A list box of 8-bit text lines: single selection, not sorted, fixed item
// height. itemIndex is the selected line (-1 for none). doubleClicked fires
// for every left double click inside the list, on a line or on the empty
// part below the last one. Enter and Escape are left to the form (key
// preview); the list itself neither consumes nor acts on them.
//
// In .ui files: class platform::ui::ListBox, header "platform/ui/list_box.h",
// base QListWidget; property itemHeight.

#include <QListWidget>

#include <string>
#include <vector>

namespace platform::ui {

class ListBox : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)
public:
    explicit ListBox(QWidget* parent = nullptr);

    void setItems(const std::vector<std::string>& items);
    std::vector<std::string> items() const;
    void addItem(const std::string& item);

    int itemIndex() const;
    void setItemIndex(int index);  // out of range or -1: nothing selected

    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int pixels);

signals:
    void doubleClicked(platform::ui::ListBox* sender);

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int itemHeight_ = 13;
};

}  // namespace platform::ui
