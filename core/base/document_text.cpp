#include "document_text.h"

namespace marlek {

void appendLineWithCrLf(std::string &buffer, std::string_view line) {
    buffer.append(line);
    buffer.append("\r\n");
}

std::string linesWithCrLf(std::span<const std::string> lines) {
    std::size_t size = 0;
    for (const std::string &line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string &line : lines)
        appendLineWithCrLf(text, line);
    return text;
}

bool copyAllowed(std::int32_t ticketCount) {
    return ticketCount < kCopyTicketLimit;
}

std::string copyRefusedMessage() {
    return "     File is to Big for Clipboard\r\nYou Can Save this File to Disk";
}

std::string saveFailedMessage(std::string_view path, std::string_view reason) {
    std::string text = "The report could not be saved as\n";
    text.append(path);
    text.append("\n\n");
    text.append(reason);
    text.append("\n\nAny file that already had this name is unchanged. Choose another folder or "
                "free some space, then use Save As again.");
    return text;
}

std::string printFailedMessage(std::string_view reason) {
    std::string text = "The report could not be printed.\n\n";
    text.append(reason);
    text.append("\n\nChoose a printer with Print Setup, then use Print again.");
    return text;
}

std::string clipboardFailedMessage() {
    return "The clipboard could not be opened, so nothing was copied.\n\n"
           "Close any program that may be holding it, then use CopyAll again, "
           "or save the report with Save As.";
}

std::string documentsFullMessage() {
    return "No more report windows can be opened while all 34 are open.\n\n"
           "Close a report window, then try again.";
}

std::optional<int> documentPosition(std::int32_t docCount, std::span<const bool> occupied) {
    const int positions = static_cast<int>(occupied.size());
    if (docCount >= 1 && docCount <= positions && !occupied[docCount - 1])
        return docCount;
    for (int i = 0; i < positions; ++i)
        if (!occupied[i])
            return i + 1;
    return std::nullopt;
}

} // namespace marlek
