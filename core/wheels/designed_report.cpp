#include "designed_report.h"

#include "wheel_report.h"

#include <vector>

namespace marlek {

void writeDesignedReport(const PlainWheel &wheel, std::span<const int> numbers,
                         const DesignedReportSink &sink) {
    writeReport(designedReportRequest(wheel, numbers), sink);
}

std::string designedReportCaption(const PlainWheel &wheel) {
    const std::vector<int> noNumbers;
    return documentCaption(designedReportRequest(wheel, noNumbers));
}

} // namespace marlek
