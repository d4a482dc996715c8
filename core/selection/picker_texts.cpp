#include "picker_texts.h"

#include "number_draw.h"
#include "number_text.h"

namespace marlek {
namespace {

// A number as the drawing surface writes it: a space, the digits, a space.
std::string spaced(std::int64_t value) {
    return ' ' + plain(value) + ' ';
}

} // namespace

std::string pickerCaption(const WheelChoice &choice) {
    const int kind = lottoKindOfMode(choice.wheelMode);
    return "Pick " + (kind ? plain(kind) : std::string()) + " Wheels        Pick " +
           plain(choice.pickCount) + "  Numbers " + plain(choice.ticketCount) + " Tickets";
}

std::string randomToolTip(int count) {
    return "Play " + plain(count) + " Random Numbers";
}

std::string yesToolTip(int count) {
    return "Play these " + plain(count) + " Numbers";
}

std::string drawHeading(int count) {
    return "                Play these " + spaced(count) + " Numbers?";
}

std::string drawnNumbersLine(std::span<const std::int16_t> numbers) {
    std::string line;
    for (std::int16_t number : numbers)
        line += spaced(number);
    return line;
}

std::string chooseHeading(int count, int checked) {
    if (checked == count)
        return drawHeading(count);
    if (checked == 0)
        return "Check " + plain(count) + " Numbers";
    const int missing = count - checked;
    if (missing > 0)
        return "Check " + plain(missing) + " more Number" + (missing == 1 ? "" : "s");
    return "Uncheck " + plain(-missing) + " Number" + (missing == -1 ? "" : "s");
}

std::string chooseYesToolTip(int count, int checked) {
    if (checked == count)
        return yesToolTip(count);
    const std::string first = chooseHeading(count, checked) + " first";
    return checked < count ? first : first + ": this wheel plays " + plain(count);
}

std::string chooseToolTip(int count) {
    return "Check your own " + plain(count) + " Numbers";
}

std::string keyNumbersNote(std::span<const std::int16_t> played, int keys) {
    if (keys <= 0 || static_cast<std::size_t>(keys) > played.size())
        return {};
    std::string numbers;
    for (int k = 0; k < keys; ++k)
        numbers += " " + plain(played[static_cast<std::size_t>(k)]);
    return std::string(keys == 1 ? "   Key Number" : "   Key Numbers") + numbers +
           " on Every Ticket";
}

bool fieldLabelFollowsChange(int value, int count) {
    return value >= count + 2;
}

std::string tooManyNumbersMessage(int count) {
    return "Cannot draw " + plain(count) + " numbers: a lotto has at most " + plain(kLargestField) +
           " numbers, and the draw needs two of them to spare. Choose a " + "wheel of at most " +
           plain(kLargestDrawCount) + " numbers.";
}

} // namespace marlek
