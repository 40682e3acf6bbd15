#pragma once
// Finding a property sheet's tabs, pages and controls by their object names.
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

namespace sheet_lookup {

inline QTabWidget* Tabs(QWidget* sheet) {
    return sheet->findChild<QTabWidget*>(QStringLiteral("tabs"));
}
inline QWidget* Page(QWidget* sheet, const char* name) {
    return sheet->findChild<QWidget*>(QLatin1String(name));
}
template <typename T> T* In(QWidget* page, const char* name) {
    return page->findChild<T*>(QLatin1String(name));
}
inline bool ApplyEnabled(QWidget* sheet) {
    return sheet->findChild<QPushButton*>(QStringLiteral("apply"))->isEnabled();
}

} // namespace sheet_lookup
