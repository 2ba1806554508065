#include "tests/packaging/InstalledTree.h"

InstalledTree::InstalledTree() {
    QProcessEnvironment environment = CleanEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), QString::fromStdString(staging_.Path()));
    install_ = RunProgram(QStringLiteral(QUEL_CMAKE_COMMAND),
                          {QStringLiteral("--install"), QStringLiteral(QUEL_BUILD_DIR),
                           QStringLiteral("--prefix"), QStringLiteral("/usr")},
                          environment);
}

std::string InstalledTree::Path(const std::string& relative) const {
    return staging_.Path() + "/usr/" + relative;
}
