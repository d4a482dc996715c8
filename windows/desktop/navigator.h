#pragma once
// How one window hands over to a window of another subsystem without knowing its class: the main
// window implements it, tests pass a fake that records the calls.

class QWidget;

namespace marlek {

struct WheelChoice;

class Navigator {
public:
    virtual ~Navigator() = default;

    // The number picker for a chosen wheel, modal, owned by `owner` (or by none); its "Yes" opens
    // the wheel's report document inside the main window.
    virtual void playWheel(const WheelChoice &choice, QWidget *owner) = 0;

    // The all-combinations generator of that lotto kind (5 or 6), modal, as from a catalogue's
    // last row.
    virtual void openGeneratorFromCatalogue(int kind) = 0;
};

} // namespace marlek
