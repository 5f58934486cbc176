#pragma once
// A page control without tabs: one page visible at a time. Each page tells
// when it becomes visible (shown), whether by becoming the active page of a
// visible control or by its form being shown.
//
// In .ui files: a platform::ui::PageControl (header
// "platform/ui/page_control.h", base QStackedWidget) whose pages are
// platform::ui::Page (same header, base QWidget); currentIndex is the
// active page at design.

#include <QStackedWidget>

namespace platform::ui {

class Page : public QWidget {
    Q_OBJECT
public:
    explicit Page(QWidget* parent = nullptr);

signals:
    void shown(platform::ui::Page* sender);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

class PageControl : public QStackedWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    int pageCount() const { return count(); }
    int activePageIndex() const { return currentIndex(); }
    void setActivePageIndex(int index);  // out of range: ignored
    Page* page(int index) const;         // nullptr when not a Page
};

}  // namespace platform::ui
