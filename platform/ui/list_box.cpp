#include "platform/ui/list_box.h"

#include "platform/ui/event_loops.h"
#include "platform/ui/text.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace platform::ui {
namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(const ListBox* list) : QStyledItemDelegate(const_cast<ListBox*>(list)), list_(list) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(list_->itemHeight());
        return size;
    }

private:
    const ListBox* list_;
};

}  // namespace

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setItemDelegate(new FixedHeightDelegate(this));
}

void ListBox::setItems(const std::vector<std::string>& items) {
    clear();
    for (const auto& item : items) addItem(item);
}

void ListBox::addItem(const std::string& item) { QListWidget::addItem(toQString(item)); }

std::vector<std::string> ListBox::items() const {
    std::vector<std::string> out;
    for (int i = 0; i < count(); ++i) out.push_back(fromQString(item(i)->text()));
    return out;
}

int ListBox::itemIndex() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ListBox::setItemIndex(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
}

void ListBox::setItemHeight(int pixels) {
    itemHeight_ = pixels > 0 ? pixels : 13;
    doItemsLayout();
}

bool ListBox::event(QEvent* event) {
    return detail::guardedEvent([&] { return QListWidget::event(event); });
}

bool ListBox::viewportEvent(QEvent* event) {
    return detail::guardedEvent([&] { return QListWidget::viewportEvent(event); });
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit doubleClicked(this);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->ignore(); return;  // the form's business
    default: QListWidget::keyPressEvent(event);
    }
}

}  // namespace platform::ui
