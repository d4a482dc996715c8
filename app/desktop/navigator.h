#pragma once
// How one window hands over to a window of another subsystem without knowing its class: the main
// window implements it, tests pass a fake that records the calls.

class QWidget;

namespace marlek {

class Navigator {
public:
    virtual ~Navigator() = default;

    // A new report document for the current shared state, inside the main window.
    virtual void openWheelDocument() = 0;

    // The all-combinations generator of that lotto kind (5 or 6), modal, as from a catalogue's
    // last row.
    virtual void openGeneratorFromCatalogue(int kind) = 0;
};

} // namespace marlek
