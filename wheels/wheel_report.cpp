#include "wheel_report.h"

namespace marlek {

void writeReport(SharedState &, const ReportSink &) {}

std::string documentCaption(const SharedState &) { return {}; }

} // namespace marlek
