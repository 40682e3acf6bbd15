#include "gui/tree/OutlineAccessible.h"

#include "core/tree/TreeControl.h"
#include "gui/tree/OutlineView.h"
#include "gui/tree/TreeModel.h"

#include <QItemSelectionModel>

namespace kardel::gui {

OutlineAccessible::OutlineAccessible(OutlineView* view) : QAccessibleWidget(view, QAccessible::Tree) {
    view->m_accessible = this;
}

OutlineAccessible::~OutlineAccessible() {
    // The view may be going already: only the row interfaces are touched here.
    ForgetRows();
}

QAccessibleInterface* OutlineAccessible::Factory(const QString& className, QObject* object) {
    if (className != QLatin1String(OutlineView::staticMetaObject.className()))
        return nullptr;
    auto* view = qobject_cast<OutlineView*>(object);
    return view ? new OutlineAccessible(view) : nullptr;
}

OutlineView* OutlineAccessible::View() const {
    return static_cast<OutlineView*>(widget());
}

void OutlineAccessible::ForgetRows() {
    for (const auto& [item, id] : m_rows)
        QAccessible::deleteAccessibleInterface(id);
    m_rows.clear();
}

QAccessibleInterface* OutlineAccessible::RowInterface(TreeItem* item) const {
    if (!item)
        return nullptr;
    if (auto it = m_rows.find(item); it != m_rows.end())
        return QAccessible::accessibleInterface(it->second);
    auto* row = new OutlineRowAccessible(View(), item);
    m_rows.emplace(item, QAccessible::registerAccessibleInterface(row));
    return row;
}

int OutlineAccessible::childCount() const {
    return View()->RowCount();
}

QAccessibleInterface* OutlineAccessible::child(int index) const {
    return RowInterface(View()->RowItem(index));
}

int OutlineAccessible::indexOfChild(const QAccessibleInterface* child) const {
    // Other views' items answer as tree items too.
    const auto* row = dynamic_cast<const OutlineRowAccessible*>(child);
    return row && row->parent() == this ? View()->RowOfItem(row->Item()) : -1;
}

QAccessibleInterface* OutlineAccessible::childAt(int x, int y) const {
    OutlineView* view = View();
    const QPoint point = view->viewport()->mapFromGlobal(QPoint(x, y));
    return RowInterface(TreeModel::ItemOf(view->indexAt(point)));
}

QAccessibleInterface* OutlineAccessible::focusChild() const {
    return RowInterface(TreeModel::ItemOf(View()->currentIndex()));
}

QWindow* OutlineRowAccessible::window() const {
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* OutlineRowAccessible::parent() const {
    return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
}

QModelIndex OutlineRowAccessible::Index() const {
    return static_cast<TreeModel*>(m_view->model())->IndexOf(m_item);
}

QString OutlineRowAccessible::text(QAccessible::Text t) const {
    if (!m_view || t != QAccessible::Name)
        return {};
    return Index().data().toString();
}

QRect OutlineRowAccessible::rect() const {
    if (!m_view)
        return {};
    const QRect row = m_view->visualRect(Index());
    return row.isValid() ? QRect(m_view->viewport()->mapToGlobal(row.topLeft()), row.size()) : QRect();
}

QAccessible::State OutlineRowAccessible::state() const {
    QAccessible::State state;
    if (!m_view)
        return state;
    const QModelIndex index = Index();
    state.selectable = true;
    state.focusable = true;
    state.selected = m_view->selectionModel()->isSelected(index);
    state.focused = m_view->hasFocus() && m_view->currentIndex() == index;
    state.active = state.focused;
    if (m_item->childCount() > 0) {
        state.expandable = true;
        state.expanded = m_view->isExpanded(index);
        state.collapsed = !state.expanded;
    }
    const QRect row = m_view->visualRect(index);
    state.invisible = !row.isValid();
    state.offscreen = !row.isValid() || !m_view->viewport()->rect().intersects(row);
    return state;
}

} // namespace kardel::gui
