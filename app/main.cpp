#include "app/Startup.h"
#include "app/TombolixApplication.h"
#include "common/Clock.h"
#include "common/QtDesktop.h"
#include "common/QtPrompter.h"
#include "common/Services.h"

int main(int argc, char **argv) {
    using namespace tombolix;
    TombolixApplication app(argc, argv);
    QtPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    app.setPrompter(&prompter);
    return runProgram({prompter, desktop, clock, QCoreApplication::applicationDirPath(), Endpoints::real()});
}
