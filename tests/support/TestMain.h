#pragma once

#include "common/ProgramEnd.h"

#include <QApplication>
#include <QTest>

// QTEST_MAIN, ending as the program ends (endProgram): the application and the test object are
// gone before the process goes.
#define TOMBOLIX_TEST_MAIN(TestObject)                                                                       \
    int main(int argc, char **argv) {                                                                        \
        int exitCode = 0;                                                                                    \
        {                                                                                                    \
            QApplication app(argc, argv);                                                                    \
            app.setAttribute(Qt::AA_Use96Dpi, true);                                                         \
            TestObject test;                                                                                 \
            QTEST_SET_MAIN_SOURCE_PATH                                                                       \
            exitCode = QTest::qExec(&test, argc, argv);                                                      \
        }                                                                                                    \
        return tombolix::endProgram(exitCode);                                                               \
    }
