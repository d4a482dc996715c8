#pragma once
// Whether Qt WebEngine can start in this process. Its browser process ends the whole program when
// it cannot run (as root with its sandbox on, or without its helper program), so the question is
// asked before the engine is touched, and the desktop's own browser serves where the answer is no.

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
