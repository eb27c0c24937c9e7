#include "DiskAccessHelper.h"

#include <QCoreApplication>
#include <QTextStream>

#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (::geteuid() != 0) {
        err << "ventrik-disk-access: must be started through pkexec\n";
        return static_cast<int>(helper::Status::NoCaller);
    }
    const helper::Outcome outcome = helper::run(
        app.arguments().mid(1), qEnvironmentVariable("PKEXEC_UID"), helper::systemFacts());
    if (outcome.status == helper::Status::Done)
        QTextStream(stdout) << "ventrik-disk-access: " << outcome.message << '\n';
    else
        err << "ventrik-disk-access: " << outcome.message << '\n';
    return static_cast<int>(outcome.status);
}
