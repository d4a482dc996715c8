#pragma once
// Joins (constructions.h) whose two parts are designed on the spot, each by a short search of its
// own: for a request the program's table leaves out, the same joins the table was made from. When m
// numbers are drawn over parts of A and B numbers, at least s fall in the first part or m - s + 1 in
// the second, so "t of s" on the first beside "t of m-s+1" on the second keeps "t of m". A part is
// far smaller than the whole (3 of 5 on 20 numbers joins 3 of 3 on 9 with 3 of 3 on 11), so its
// search comes close to the best wheel in a fraction of the time the whole would take.

#include "constructions.h"
#include "wheel_designer.h"

#include <atomic>
#include <functional>
#include <optional>

namespace marlek {

// The smallest join of designed parts below `toBeat` tickets (0: anything), or nothing. The splits
// are tried in the order of the lower bounds of their parts, only those whose bounds add up to
// less than toBeat; the parts share the request's time budget (or, under a move budget, its
// moves), each part designed once. The wheel is not yet proven: the caller proves it.
// `tick` is called as the parts' searches report progress (on the calling thread).
std::optional<Construction> joinOfDesignedParts(const DesignRequest &request, int toBeat,
                                                const std::atomic<bool> *cancel,
                                                const std::function<void()> &tick = {});

} // namespace marlek
