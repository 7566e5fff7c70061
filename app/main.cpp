#include "Clock.h"
#include "QtDesktop.h"
#include "QtPrompter.h"
#include "Services.h"
#include "TombolixApplication.h"
#include "frmMain.h"

int main(int argc, char **argv)
{
    using namespace tombolix;
    TombolixApplication app(argc, argv);
    QtPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    app.setPrompter(&prompter);
    const Services services{prompter, desktop, clock, QCoreApplication::applicationDirPath(), Endpoints::real()};

    frmMain window(services);
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
