#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;

namespace tombolix {

// The one way to change the main window's draw list: every change rewrites the count label,
// so the label can never fall behind the list. Windows other than the main window get a
// reference to this object, never the widgets.
class DrawList {
public:
    DrawList(QListWidget &list, QLabel &countLabel);

    int count() const;
    QString at(int position) const;
    QStringList entries() const;
    bool isFull() const;
    // IsInList on the list box.
    bool contains(const QString &text) const;
    int selectedPosition() const;

    // Appends as the new last entry and rewrites the count label. False, with nothing
    // changed, when the list already holds its maximum.
    bool append(const QString &text);
    void removeAt(int position);
    void clear();

    // Goes up with every change, so a long-running reader can tell that the list moved.
    quint64 revision() const { return m_revision; }

    static QString countText(int count);

private:
    void rewriteCountLabel();

    QListWidget &m_list;
    QLabel &m_countLabel;
    quint64 m_revision = 0;
};

} // namespace tombolix
