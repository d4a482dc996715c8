#pragma once
// How one window hands over to a window of another subsystem without knowing its class: the main
// window implements it, tests pass a fake that records the calls.

class QWidget;

namespace marlek {

struct PlainWheel;

class Navigator {
public:
    virtual ~Navigator() = default;

    // A new report document for the current shared state, inside the main window.
    virtual void openWheelDocument() = 0;

    // The all-combinations generator of that lotto kind (5 or 6), modal, as from a catalogue's
    // last row.
    virtual void openGeneratorFromCatalogue(int kind) = 0;

    // A new report document of a designed wheel (kind 5 or 6) over the numbers in the shared
    // state's picks, inside the main window.
    virtual void openDesignedWheelDocument(const PlainWheel &wheel) = 0;
};

} // namespace marlek
