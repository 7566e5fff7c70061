#pragma once

#include "core/Draw.h"

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
    void clear();

    quint64 revision() const override { return m_revision; }

    static QString countText(int count);

private:
    void rewriteCountLabel();

    QListWidget &m_list;
    QLabel &m_countLabel;
    quint64 m_revision = 0;
};

} // namespace tombolix
