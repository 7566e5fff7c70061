#include "app/Startup.h"
#include "app/TombolixApplication.h"
#include "common/Clock.h"
#include "common/FilesFolder.h"
#include "common/Heap.h"
#include "common/QtDesktop.h"
#include "common/ProgramEnd.h"
#include "common/QtPrompter.h"
#include "common/Services.h"

#include <QStandardPaths>

int main(int argc, char **argv) {
    using namespace tombolix;
    useOneHeap();
    int exitCode = 0;
    {
        TombolixApplication app(argc, argv);
        QtPrompter prompter;
        QtDesktop desktop;
        SystemClock clock;
        app.setPrompter(&prompter);
        const QString programFolder = QCoreApplication::applicationDirPath();
        exitCode = runProgram({prompter, desktop, clock, programFolder,
                               decideFilesFolder(programFolder, QStandardPaths::writableLocation(
                                                                    QStandardPaths::DocumentsLocation)),
                               Endpoints::real()});
    }
    return endProgram(exitCode);
}
