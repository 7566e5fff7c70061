#include "Clock.h"
#include "QtDesktop.h"
#include "QtPrompter.h"
#include "Services.h"
#include "Startup.h"
#include "TombolixApplication.h"

int main(int argc, char **argv) {
    using namespace tombolix;
    TombolixApplication app(argc, argv);
    QtPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    app.setPrompter(&prompter);
    return runProgram({prompter, desktop, clock, QCoreApplication::applicationDirPath(), Endpoints::real()});
}
