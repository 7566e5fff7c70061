#include "app/Startup.h"

#include "app/frmMain.h"

#include <QApplication>

namespace tombolix {

int runProgram(const Services &services) {
    frmMain window(services);
    if (!window.Form_Load())
        return 0; // the check ended the program: no window was ever shown
    window.show();
    return QApplication::exec();
}

} // namespace tombolix
