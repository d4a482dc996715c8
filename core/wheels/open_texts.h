#pragma once
// What the main window says when File > Open reads a file: the guarantee proven for a wheel file
// or a ticket list before it is played, and why a file cannot be opened. `path` is the file as
// the player chose it; it is shown quoted, every invisible character written out.

#include "plain_wheel.h"
#include "ticket_list.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace marlek {

// A wheel file whose claimed guarantee the proof confirmed: what it is, what holds, what next.
std::string wheelFileProvenMessage(std::string_view path, const PlainWheel &wheel);

// A ticket list and the guarantees the proof found for it (provenGuarantees, for 1 to k drawn).
std::string ticketListProvenMessage(std::string_view path, const TicketList &list,
                                    std::span<const Guarantee> proven);

// The file could not be read at all: `reason` is the system's.
std::string openUnreadableMessage(std::string_view path, std::string_view reason);

// The file is no report, wheel file or ticket list: `reason` names the line at fault.
std::string openRefusedMessage(std::string_view path, std::string_view reason);

// The file begins as a report but is not one as the program saves it.
std::string reportRefusedMessage(std::string_view path, std::string_view reason);

// A wheel file or list that was read but cannot be played: `reason` says why.
std::string wheelNotPlayedMessage(std::string_view path, std::string_view reason);

// Why a wheel is not played: reports are for Pick 5 and Pick 6 only.
std::string notALottoKindReason(int kind);
// Why a wheel file is not played: the proof found its claimed guarantee false, and only `proven`
// matches sure for as many drawn.
std::string guaranteeNotKeptReason(Guarantee claimed, int proven);
// Why a wheel or list is not proven here: its proof may take more checks than a proof here takes.
std::string proofTooLongReason(std::uint64_t checks);

} // namespace marlek
