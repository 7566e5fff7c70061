#pragma once

#include "core/Draw.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;

namespace tombolix {

// The one way to change the main window's draw list: every change rewrites the count label,
// so the label can never fall behind the list. Windows other than the main window get a
// reference to this object, never the widgets.
class DrawList : public DrawSource {
public:
    DrawList(QListWidget &list, QLabel &countLabel);
    ~DrawList() override;
    DrawList(const DrawList &) = delete;
    DrawList &operator=(const DrawList &) = delete;

    int count() const;
    QStringList entries() const override;
    bool isFull() const;
    // IsInList on the list box.
    bool contains(const QString &text) const;
    int selectedPosition() const;

    // Appends as the new last entry and rewrites the count label. False, with nothing
    // changed, when the list already holds its maximum.
    bool append(const QString &text);
    void removeAt(int position);
    // Removes the entries at these positions, all at once.
    void removePositions(const QList<int> &positions);
    void clear();

    quint64 revision() const override { return m_revision; }

    // How an import made the list as it stands, one line per rule, in Korean ("마감 시각 : …"),
    // for the public draw's announcement: what the organiser set, which nothing in the list
    // itself proves. Empty once the list changed in any other way (an entry added, removed, a
    // file loaded, the list cleared), and when no import made it.
    QStringList importRules() const;
    // Records the rules for the list as it stands now.
    void setImportRules(const QStringList &lines);

    static QString countText(int count);

private:
    void rewriteCountLabel();

    QListWidget &m_list;
    QLabel &m_countLabel;
    quint64 m_revision = 0;
    QStringList m_importRules;
    quint64 m_importRulesRevision = 0;
    // The texts as the list box holds them, kept as the list changes through this object, so
    // that a draw reads thousands of entries without asking the box for each; any change made
    // to the box another way makes it read them again.
    mutable QStringList m_entries;
    mutable bool m_entriesKnown = false;
    bool m_changing = false;
    QList<QMetaObject::Connection> m_watches;
};

} // namespace tombolix
