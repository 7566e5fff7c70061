#include "common/DrawList.h"

#include "common/Routines.h"
#include "core/Constants.h"

#include <QLabel>
#include <QListWidget>

namespace tombolix {

DrawList::DrawList(QListWidget &list, QLabel &countLabel)
    : m_list(list)
    , m_countLabel(countLabel) {
    const QAbstractItemModel *model = m_list.model();
    const auto forget = [this] {
        if (!m_changing) {
            m_entriesKnown = false;
            m_importRules.clear(); // changed behind this object's back: no rule holds for it
            ++m_revision;          // nor anything read of it before
        }
    };
    m_watches = {QObject::connect(model, &QAbstractItemModel::rowsInserted, forget),
                 QObject::connect(model, &QAbstractItemModel::rowsRemoved, forget),
                 QObject::connect(model, &QAbstractItemModel::rowsMoved, forget),
                 QObject::connect(model, &QAbstractItemModel::dataChanged, forget),
                 QObject::connect(model, &QAbstractItemModel::layoutChanged, forget),
                 QObject::connect(model, &QAbstractItemModel::modelReset, forget)};
}

DrawList::~DrawList() {
    for (const QMetaObject::Connection &watch : std::as_const(m_watches))
        QObject::disconnect(watch);
}

int DrawList::count() const {
    return m_list.count();
}

QStringList DrawList::entries() const {
    if (!m_entriesKnown) {
        const int n = m_list.count();
        m_entries.clear();
        m_entries.reserve(n);
        for (int i = 0; i < n; ++i)
            m_entries.append(m_list.item(i)->text());
        m_entriesKnown = true;
    }
    return m_entries;
}

bool DrawList::isFull() const {
    return m_list.count() >= maxDrawListEntries;
}

bool DrawList::contains(const QString &text) const {
    return IsInList(text, m_list);
}

int DrawList::selectedPosition() const {
    return m_list.currentItem() && m_list.currentItem()->isSelected() ? m_list.currentRow() : -1;
}

bool DrawList::append(const QString &text) {
    if (isFull())
        return false;
    m_changing = true;
    m_list.addItem(text);
    m_changing = false;
    if (m_entriesKnown)
        m_entries.append(text);
    ++m_revision;
    rewriteCountLabel();
    return true;
}

void DrawList::removeAt(int position) {
    m_changing = true;
    delete m_list.takeItem(position);
    m_changing = false;
    if (m_entriesKnown && position >= 0 && position < m_entries.size())
        m_entries.removeAt(position);
    ++m_revision;
    rewriteCountLabel();
}

void DrawList::removePositions(const QList<int> &positions) {
    const int n = m_list.count();
    QList<bool> removed(n, false);
    for (const int position : positions) {
        if (position >= 0 && position < n)
            removed[position] = true;
    }
    // One rebuild, rather than a take per entry, each of which moves every entry after it.
    QStringList kept;
    const QStringList all = entries();
    kept.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (!removed[i])
            kept.append(all.at(i));
    }
    m_changing = true;
    m_list.clear();
    m_list.addItems(kept);
    m_changing = false;
    m_entries = kept;
    m_entriesKnown = true;
    ++m_revision;
    rewriteCountLabel();
}

QStringList DrawList::importRules() const {
    return m_importRulesRevision == m_revision ? m_importRules : QStringList();
}

void DrawList::setImportRules(const QStringList &lines) {
    m_importRules = lines;
    m_importRulesRevision = m_revision;
}

void DrawList::clear() {
    m_changing = true;
    m_list.clear();
    m_changing = false;
    m_entries.clear();
    m_entriesKnown = true;
    ++m_revision;
    rewriteCountLabel();
}

QString DrawList::countText(int count) {
    return QStringLiteral("추첨 리스트(갯수 : ") + QString::number(count) + QStringLiteral("개)");
}

void DrawList::rewriteCountLabel() {
    m_countLabel.setText(countText(m_list.count()));
}

} // namespace tombolix
