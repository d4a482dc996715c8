#include "web_engine_check.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include <cstdlib>
#include <unistd.h>

namespace marlek {
namespace {

std::string environmentValue(const char *name) {
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool sandboxTurnedOff(const WebEngineEnvironment &environment) {
    const std::string &disable = environment.disableSandbox;
    return (!disable.empty() && disable != "0") ||
           environment.chromiumFlags.find("--no-sandbox") != std::string::npos;
}

// Where Qt WebEngine looks for its helper program: the variable that names it, else Qt's folder
// of helper programs.
bool helperProgramFound() {
    const std::string named = environmentValue("QTWEBENGINEPROCESS_PATH");
    const QString path = !named.empty()
                             ? QString::fromLocal8Bit(named.c_str())
                             : QDir(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath))
                                   .filePath(QStringLiteral("QtWebEngineProcess"));
    const QFileInfo helper(path);
    return helper.isFile() && helper.isExecutable();
}

} // namespace

bool webEngineCanStart(const WebEngineEnvironment &environment) {
    if (!environment.helperFound)
        return false;
    // The engine refuses to run as root with its sandbox on, and takes the process with it.
    return !environment.runsAsRoot || sandboxTurnedOff(environment);
}

WebEngineEnvironment webEngineEnvironmentHere() {
    return {geteuid() == 0, environmentValue("QTWEBENGINE_DISABLE_SANDBOX"),
            environmentValue("QTWEBENGINE_CHROMIUM_FLAGS"), helperProgramFound()};
}

} // namespace marlek
