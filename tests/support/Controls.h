#pragma once

#include <QAction>
#include <QApplication>
#include <QObject>
#include <QWidget>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace tombolix::test {

// A window's control or menu command by the name the program gives it, as a user finds it by
// what it is rather than by where the window keeps it. A name that is not there ends the test
// run, saying which.
template <typename Control> Control *named(const QObject *window, const char *name) {
    auto *found = window->findChild<Control *>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "%s has no control named %s\n", qPrintable(window->objectName()), name);
        std::abort();
    }
    return found;
}

// Chooses a menu command by its name.
inline void choose(const QObject *window, const char *command) {
    named<QAction>(window, command)->trigger();
}

// A window of the program, found by its name among those on the screen.
inline QWidget *topLevel(const char *name) {
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name))
            return window;
    }
    std::fprintf(stderr, "no window named %s\n", name);
    std::abort();
}

} // namespace tombolix::test
