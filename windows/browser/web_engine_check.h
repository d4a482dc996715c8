#pragma once
// Whether Qt WebEngine can start in this process. The engine ends the whole process when it cannot
// run (as root with its sandbox on, or without its helper program), so the browser program asks
// before it touches the engine and, where the answer is no, ends with a status that says so.

#include <string>

namespace marlek {

struct WebEngineEnvironment {
    bool runsAsRoot = false;
    std::string disableSandbox; // QTWEBENGINE_DISABLE_SANDBOX
    std::string chromiumFlags;  // QTWEBENGINE_CHROMIUM_FLAGS
    bool helperFound = true;    // the QtWebEngineProcess program
};

bool webEngineCanStart(const WebEngineEnvironment &environment);

// The environment of this process.
WebEngineEnvironment webEngineEnvironmentHere();

} // namespace marlek
