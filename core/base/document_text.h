#pragma once
// The texts and bytes of the document commands, apart from any window: what Copy puts on the
// clipboard, what Save As writes, when Copy refuses, and where a new document is kept.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// Every line followed by CR LF, the last one too; no lines give the empty text. This is both the
// clipboard text of Copy and the bytes of a saved report.
std::string linesWithCrLf(std::span<const std::string> lines);

// Appends one line and its CR LF to a buffer (the saved file is written in pieces).
void appendLineWithCrLf(std::string &buffer, std::string_view line);

// Copy refuses wheels of this many tickets or more and points the player to Save As.
inline constexpr std::int32_t kCopyTicketLimit = 2100;
bool copyAllowed(std::int32_t ticketCount);

// The message Copy shows when it refuses.
std::string copyRefusedMessage();

// Messages for a command that could not finish; each names what failed and what to do next.
std::string saveFailedMessage(std::string_view path, std::string_view reason);
std::string printFailedMessage(std::string_view reason);
std::string clipboardFailedMessage();
std::string documentsFullMessage();

// The run keeps its report documents at positions 1 to 34.
inline constexpr int kDocumentPositions = 34;

// The position for the document that brings the run's count to `docCount`: position docCount while
// the run has opened no more than 34, after that the first position whose document has closed.
// `occupied[i]` tells whether position i + 1 holds an open document. Nothing when every position
// is taken.
std::optional<int> documentPosition(std::int32_t docCount, std::span<const bool> occupied);

} // namespace marlek
